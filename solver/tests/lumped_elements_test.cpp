// Each kind of lumped element against its closed form: a series element
// between two ports gives S11 = (Z + Z2 - Z1) / (Z + Z1 + Z2) and
// S21 = 2 sqrt(Z1 Z2) / (Z + Z1 + Z2); a shunt LC at its resonance passes
// everything; a short reflects -1, an open +1.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <sstream>
#include <string>

#include "parameter_blocks.h"
#include "run_mtlnet.h"
#include "test_directory.h"

namespace {

using C = std::complex<double>;
using solver_test::read_parameter_file;
using solver_test::TestDirectory;

const double OMEGA = 6.283186f * 1e8f;  // the solver's angular frequency at 100 MHz

struct Case {
    const char* what;
    std::string network;
    C s11, s21;  // s21 only for two ports
};

std::string series(const char* element, double value, double z1, double z2) {
    std::ostringstream s;
    s.precision(9);
    s << "2\n2\n2\n6 " << z1 << " 1\n" << element << ' ' << value << " 2\n1\n6 " << z2 << " 2\n";
    return s.str();
}

Case series_case(const char* what, const char* element, double value, C z, double z1, double z2) {
    return {what, series(element, value, z1, z2), (z + z2 - z1) / (z + z1 + z2),
            2.0 * std::sqrt(z1 * z2) / (z + z1 + z2)};
}

TEST(LumpedElements, EachKindAgreesWithItsClosedForm) {
    const double l = 1e-8, c = 1.0 / (OMEGA * OMEGA * l);
    std::ostringstream resonant;
    resonant.precision(9);
    resonant << "2\n2\n4\n6 50 1\n4 0 2\n2 " << l << " 0\n3 " << c << " 0\n1\n6 50 2\n";
    const Case cases[] = {
        series_case("series R", "1", 30, 30, 50, 50),
        series_case("series R, ports of 50 and 75 ohm", "1", 30, 30, 50, 75),
        series_case("series L", "2", 1e-7, C(0, OMEGA * 1e-7), 50, 50),
        series_case("series C", "3", 2e-11, 1.0 / C(0, OMEGA * 2e-11), 50, 50),
        {"shunt LC at resonance", resonant.str(), 0, 1},
        {"short", "1\n1\n2\n6 50 1\n4 0 0\n", -1, 0},
        {"open", "1\n1\n2\n6 50 1\n5 0 0\n", 1, 0},
    };
    for (const Case& k : cases) {
        TestDirectory dir;
        dir.write_inputs("0 0\n1E8\n0\n0\n0 0 0 0 0\n1 1 1 1 1\n", "1E8 0 0\n", "0\n", k.network);
        std::ostringstream diagnostics;
        ASSERT_EQ(solver::run_mtlnet(dir.path(), diagnostics), 0) << k.what << diagnostics.str();
        const auto s = read_parameter_file((dir.path() / "SPAR.DAT").string());
        ASSERT_EQ(s.size(), 1u) << k.what;
        // The conductance every node has to ground shifts S by a few parts in 1E6.
        EXPECT_LT(std::abs(s[0].at(1, 1) - k.s11), 1e-5) << k.what;
        if (s[0].ports == 2) {
            EXPECT_LT(std::abs(s[0].at(2, 1) - k.s21), 1e-5) << k.what;
        }
    }
}

}  // namespace
