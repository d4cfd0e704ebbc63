// The sweep against answers that physics gives: terminations, a matched
// line, a quarter-wave transformer, lossy and coupled lines in closed form,
// reciprocity and losslessness.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <sstream>
#include <string>
#include <vector>

#include "parameter_blocks.h"
#include "run_mtlnet.h"
#include "test_directory.h"

namespace {

using solver_test::ParameterBlock;
using solver_test::read_parameter_file;
using solver_test::TestDirectory;
using C = std::complex<double>;

constexpr double PI = 3.14159265358979323846;

// Writes the four input files with every report section but S switched off.
struct Network {
    std::string lines = "0\n";
    std::string net;
    std::string sweep = "1E6 0 0\n";
    std::string config = "0 0\n1E6\n0\n0\n0 0 0 0 0\n1 1 1 1 1\n";
};

class SweepPhysics : public ::testing::Test {
protected:
    std::vector<ParameterBlock> run(const Network& n) { return run_in(dir, n); }
    std::vector<ParameterBlock> run_in(TestDirectory& d, const Network& n) {
        d.write_inputs(n.config, n.sweep, n.lines, n.net);
        std::ostringstream diagnostics;
        status = solver::run_mtlnet(d.path(), diagnostics);
        EXPECT_EQ(status, 0) << diagnostics.str();
        return read_parameter_file((d.path() / "SPAR.DAT").string());
    }
    TestDirectory dir;
    int status = -1;
};

// One conductor of characteristic impedance z0 and phase velocity 2E8 m/s.
std::string single_line(double z0, double length, double r = 0, double g = 0) {
    const double v = 2e8;
    std::ostringstream s;
    s.precision(9);
    s << "1\n1\n" << z0 / v << "\n" << 1 / (z0 * v) << "\n" << r << "\n" << g << "\n" << length << "\n";
    return s.str();
}

// S-parameters of a uniform line (propagation gamma*length, impedance zc)
// between two ports of impedance z0, from its chain matrix.
void line_two_port(C gl, C zc, double z0, C& s11, C& s21) {
    const C a = std::cosh(gl), b = zc * std::sinh(gl), c = std::sinh(gl) / zc, d = a;
    const C den = a + b / z0 + c * z0 + d;
    s11 = (a + b / z0 - c * z0 - d) / den;
    s21 = 2.0 / den;
}

TEST_F(SweepPhysics, PortTerminatedInItsOwnImpedanceReflectsAlmostNothing) {
    Network n;
    n.net = "1\n1\n2\n6 50 1\n1 50 0\n";
    auto s = run(n);
    ASSERT_EQ(s.size(), 1u);
    EXPECT_NEAR(s[0].at(1, 1).real(), -5e-7, 1e-9);  // the conductance to ground keeps it off 0
    EXPECT_NEAR(s[0].at(1, 1).imag(), 0.0, 1e-12);
    auto z = read_parameter_file((dir.path() / "ZPAR.DAT").string());
    auto y = read_parameter_file((dir.path() / "YPAR.DAT").string());
    EXPECT_NEAR(z[0].at(1, 1).real(), 50.0, 1e-3);
    EXPECT_NEAR(y[0].at(1, 1).real(), 0.02, 1e-6);
}

TEST_F(SweepPhysics, ShortBetweenTwoPortsPassesEverything) {
    Network n;
    n.net = "2\n2\n2\n6 50 1\n4 0 2\n1\n6 50 2\n";
    auto s = run(n);
    ASSERT_EQ(s.size(), 1u);
    EXPECT_NEAR(std::abs(s[0].at(2, 1) - 1.0), 0.0, 1e-4);
    EXPECT_NEAR(std::abs(s[0].at(1, 1)), 0.0, 1e-4);
}

TEST_F(SweepPhysics, OpenPortSeesOnlyTheConductanceToGround) {
    Network n;
    n.net = "1\n1\n2\n6 50 1\n5 0 0\n";
    auto s = run(n);
    auto z = read_parameter_file((dir.path() / "ZPAR.DAT").string());
    EXPECT_LT(s[0].at(1, 1).real(), 1.0);
    EXPECT_NEAR(s[0].at(1, 1).real(), 1.0 - 2e-6, 1e-8);
    EXPECT_NEAR(z[0].at(1, 1).real(), 5e7, 5e7 * 1e-5);
}

TEST_F(SweepPhysics, MatchedLosslessLinePassesWithPhaseMinusBetaLength) {
    Network n;
    n.lines = single_line(50, 1.3);
    n.net = "2\n2\n1\n6 50 1\n1\n6 50 2\n";
    n.sweep = "1E7 4E7 5\n";
    auto s = run(n);
    ASSERT_EQ(s.size(), 6u);
    for (const auto& b : s) {
        EXPECT_NEAR(std::abs(b.at(2, 1)), 1.0, 1e-5) << b.frequency;
        EXPECT_NEAR(std::abs(b.at(1, 1)), 0.0, 1e-5) << b.frequency;
        double beta_l = 2 * PI * b.frequency / 2e8 * 1.3;
        double expected = std::remainder(-beta_l, 2 * PI) * 180 / PI;
        double phase = std::arg(b.at(2, 1)) * 180 / PI;
        double diff = std::remainder(phase - expected, 360.0);
        EXPECT_NEAR(diff, 0.0, 1e-3) << b.frequency;
        EXPECT_LE(std::abs(phase), 180.0);
    }
}

TEST_F(SweepPhysics, QuarterWaveTransformerMatchesAtItsDesignFrequency) {
    // 70.71 ohm, 1 m (a quarter wave at 50 MHz) from a 50 ohm port to 100 ohm.
    Network n;
    const double z0 = std::sqrt(50.0 * 100.0);
    n.lines = single_line(z0, 1.0);
    n.net = "2\n1\n1\n6 50 1\n1\n1 100 0\n";
    n.sweep = "25E6 25E6 1\n";
    auto s = run(n);
    ASSERT_EQ(s.size(), 2u);
    EXPECT_LT(std::abs(s[1].at(1, 1)), 1e-4);  // 50 MHz
    // At 25 MHz the line is an eighth wave: Zin = z0 (RL + j z0) / (z0 + j RL).
    C zin = z0 * (C(100, z0) / C(z0, 100));
    C expected = (zin - 50.0) / (zin + 50.0);
    EXPECT_NEAR(std::abs(s[0].at(1, 1) - expected), 0.0, 1e-4);
}

TEST_F(SweepPhysics, LossyLineAgreesWithTheSingleLineClosedForm) {
    Network n;
    const double l = 3.0e-7, c = 1.1e-10, r = 8.0, g = 2e-4, len = 0.7;
    std::ostringstream lines;
    lines.precision(9);
    lines << "1\n1\n" << l << "\n" << c << "\n" << r << "\n" << g << "\n" << len << "\n";
    n.lines = lines.str();
    n.net = "2\n2\n1\n6 50 1\n1\n6 50 2\n";
    n.sweep = "1E6 1E8 10\n";
    auto s = run(n);
    ASSERT_EQ(s.size(), 11u);
    for (const auto& b : s) {
        const double w = 6.283186 * static_cast<float>(b.frequency);
        const C zs(r, w * l), ys(g, w * c);
        C s11, s21;
        line_two_port(std::sqrt(zs * ys) * len, std::sqrt(zs / ys), 50.0, s11, s21);
        EXPECT_NEAR(std::abs(b.at(1, 1) - s11), 0.0, 1e-4) << b.frequency;
        EXPECT_NEAR(std::abs(b.at(2, 1) - s21), 0.0, 1e-4) << b.frequency;
    }
}

// A symmetric coupled pair: conductor c has end 1 at node c and end 2 at
// node 2 + c; port p sits at node p.
Network coupled_pair(double length, const char* sweep) {
    Network n;
    std::ostringstream s;
    s << "1\n2\n3.2E-7 0.6E-7 0.6E-7 3.2E-7\n1.3E-10 -0.2E-10 -0.2E-10 1.3E-10\n0 0 0 0\n0 0 0 0\n"
      << length << "\n";
    n.lines = s.str();
    n.net = "4\n4\n1\n6 50 1\n1\n6 50 2\n1\n6 50 3\n1\n6 50 4\n";
    n.sweep = sweep;
    return n;
}

TEST_F(SweepPhysics, SymmetricCoupledPairAgreesWithEvenAndOddModes) {
    const double len = 0.25;
    auto s = run(coupled_pair(len, "1E8 2E8 9\n"));
    ASSERT_EQ(s.size(), 10u);
    const double le = 3.8e-7, ce = 1.1e-10, lo = 2.6e-7, co = 1.5e-10;
    for (const auto& b : s) {
        const double w = 6.283186 * static_cast<float>(b.frequency);
        C e11, e21, o11, o21;
        line_two_port(C(0, w * std::sqrt(le * ce) * len), std::sqrt(le / ce), 50, e11, e21);
        line_two_port(C(0, w * std::sqrt(lo * co) * len), std::sqrt(lo / co), 50, o11, o21);
        EXPECT_NEAR(std::abs(b.at(1, 1) - (e11 + o11) / 2.0), 0, 1e-4) << b.frequency;
        EXPECT_NEAR(std::abs(b.at(2, 1) - (e11 - o11) / 2.0), 0, 1e-4) << b.frequency;  // near end
        EXPECT_NEAR(std::abs(b.at(3, 1) - (e21 + o21) / 2.0), 0, 1e-4) << b.frequency;  // through
        EXPECT_NEAR(std::abs(b.at(4, 1) - (e21 - o21) / 2.0), 0, 1e-4) << b.frequency;  // far end
    }
}

// An asymmetric lossless network: a coupled pair, a second line, series and
// shunt reactances, ports of one impedance.
Network asymmetric_lossless(bool swap_ports) {
    Network n;
    n.lines =
        "2\n2\n1\n"
        "3.0E-7 0.5E-7 0.7E-7 3.6E-7\n1.2E-10 -0.3E-10 -0.1E-10 1.0E-10\n0 0 0 0\n0 0 0 0\n0.31\n"
        "2.5E-7\n1E-10\n0\n0\n0.8\n";
    // Nodes 1-4: the pair, 5-6: the single line.
    const char* p1 = swap_ports ? "6 50 3" : "6 50 1";  // node 1
    const char* p3 = swap_ports ? "6 50 1" : "6 50 3";  // node 6
    std::ostringstream s;
    s << "6\n3\n"
      << "2\n" << p1 << "\n3 2E-12 0\n"
      << "1\n2 5E-9 5\n"
      << "1\n6 50 2\n"
      << "1\n3 1E-12 0\n"
      << "0\n"
      << "2\n3 4E-12 0\n" << p3 << "\n";
    n.net = s.str();
    n.sweep = "5E7 1E8 6\n";
    return n;
}

TEST_F(SweepPhysics, ReciprocityResponseIsTheSameBothWays) {
    auto forward = run(asymmetric_lossless(false));
    TestDirectory other;
    auto backward = run_in(other, asymmetric_lossless(true));
    ASSERT_EQ(forward.size(), backward.size());
    for (std::size_t i = 0; i < forward.size(); ++i) {
        // Swapping ports 1 and 3 turns S31 into S13.
        EXPECT_NEAR(std::abs(forward[i].at(3, 1) - backward[i].at(3, 1)), 0, 1e-5);
        EXPECT_NEAR(std::abs(forward[i].at(2, 1) - backward[i].at(2, 3)), 0, 1e-5);
        EXPECT_NEAR(std::abs(forward[i].at(1, 1) - backward[i].at(3, 3)), 0, 1e-5);
    }
}

// max |S^H S - I| over all entries.
double unitarity_error(const ParameterBlock& b) {
    double worst = 0;
    for (int i = 1; i <= b.ports; ++i)
        for (int j = 1; j <= b.ports; ++j) {
            C sum = 0;
            for (int k = 1; k <= b.ports; ++k) sum += std::conj(b.at(k, i)) * b.at(k, j);
            worst = std::max(worst, std::abs(sum - (i == j ? 1.0 : 0.0)));
        }
    return worst;
}

TEST_F(SweepPhysics, LosslessNetworkHasAUnitaryScatteringMatrix) {
    for (const auto& b : run(coupled_pair(0.4, "1E7 3E8 9\n")))
        EXPECT_LT(unitarity_error(b), 1e-5) << b.frequency;
}

TEST_F(SweepPhysics, ResonantLosslessNetworkLosesOnlyThroughTheConductanceToGround) {
    // Standing waves raise the voltages at the stub's nodes, where the small
    // conductance every node has to ground (1E-6 of the reference admittance)
    // takes a few parts in 1E6 of the power each.
    for (const auto& b : run(asymmetric_lossless(false)))
        EXPECT_LT(unitarity_error(b), 5e-5) << b.frequency;
}

}  // namespace
