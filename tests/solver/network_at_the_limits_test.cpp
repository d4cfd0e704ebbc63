// A network at the solver's limits: 16 lines of 16 coupled conductors
// (512 nodes) with 6 ports runs through the sweep and gives a passive S.
#include <gtest/gtest.h>

#include <complex>
#include <filesystem>
#include <sstream>
#include <string>

#include <unistd.h>

#include "generated_networks.h"
#include "network_parameter_reader.h"
#include "run_mtlnet.h"

namespace {

TEST(NetworkAtTheLimits, SixPortsOn512NodesGivePassiveScattering) {
    auto dir = std::filesystem::temp_directory_path() / ("mtl_limits_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    solver_testing::write_limit_network(dir, "1E8 4E8 1\n");
    std::ostringstream diagnostics;
    ASSERT_EQ(solver::run_mtlnet(dir, diagnostics), 0) << diagnostics.str();

    const portfiles::SweepReading spar = portfiles::read_parameter_file(dir / "SPAR.DAT", "SPAR.DAT");
    ASSERT_TRUE(spar.ok) << spar.error.message();
    ASSERT_EQ(spar.sweep.port_count, 6);
    ASSERT_EQ(spar.sweep.points(), 2u);
    // Column 1 of S carries at most the incident power: the lines are lossy.
    for (std::size_t k = 0; k < 2; ++k) {
        double power = 0;
        for (int q = 0; q < 6; ++q) power += std::norm(spar.sweep.at(k, q, 0));
        EXPECT_GT(power, 0.01);
        EXPECT_LT(power, 1.0);
    }
    std::filesystem::remove_all(dir);
}

}  // namespace
