// A network at the solver's limits: 16 lines of 16 coupled conductors
// (512 nodes) with 6 ports runs through the sweep and gives a passive S.
#include <gtest/gtest.h>

#include <complex>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "generated_networks.h"
#include "run_mtlnet.h"

namespace {

TEST(NetworkAtTheLimits, SixPortsOn512NodesGivePassiveScattering) {
    auto dir = std::filesystem::temp_directory_path() / ("mtl_limits_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    solver_testing::write_limit_network(dir, "1E8 4E8 1\n");
    std::ostringstream diagnostics;
    ASSERT_EQ(solver::run_mtlnet(dir, diagnostics), 0) << diagnostics.str();

    std::ifstream spar(dir / "SPAR.DAT");
    std::vector<std::string> lines;
    for (std::string line; std::getline(spar, line);) lines.push_back(line);
    ASSERT_EQ(lines.size(), 2u * (21 + 3));  // two blocks of 21 entries
    // Column 1 of S (entries (q,1) in the lower triangle) carries at most the
    // incident power: the lines are lossy.
    for (int block = 0; block < 2; ++block) {
        double power = 0;
        for (int q = 1; q <= 6; ++q) {
            std::istringstream fields(lines[block * 24 + 2 + q * (q - 1) / 2]);
            double re = 0, im = 0;
            fields >> re >> im;
            power += re * re + im * im;
        }
        EXPECT_GT(power, 0.01);
        EXPECT_LT(power, 1.0);
    }
    std::filesystem::remove_all(dir);
}

}  // namespace
