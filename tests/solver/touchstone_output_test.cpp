// mtlnet --touchstone: the S-parameters of every completed frequency as a
// Touchstone file, beside unchanged parameter files and report.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>

#include "network_parameter_reader.h"
#include "run_mtlnet.h"
#include "test_directory.h"
#include "touchstone.h"

namespace {

using solver_test::TestDirectory;

constexpr const char* CONFIG = "0 0\n1E6\n0\n0\n0 0 0 0 0\n1 1 2 0 0\n";
constexpr const char* SWEEP = "1E6 1E6 2\n";
// A 50 ohm port with a 75 ohm resistor to ground, and a second port of
// 75 ohms behind 10 ohms.
constexpr const char* NETWORK = "2\n2\n2\n6 50 1\n1 75 0\n2\n6 75 2\n1 10 1\n";

class TouchstoneOutput : public ::testing::Test {
protected:
    int run(std::optional<std::string> touchstone, const char* network = NETWORK) {
        dir.write_inputs(CONFIG, SWEEP, "0\n", network);
        solver::MtlnetOptions options;
        options.directory = dir.path();
        options.touchstone = std::move(touchstone);
        diagnostics.str("");
        return solver::run_mtlnet(options, diagnostics);
    }
    TestDirectory dir;
    std::ostringstream diagnostics;
};

TEST_F(TouchstoneOutput, HoldsTheFullSOfSparDatAndChangesNothingElse) {
    ASSERT_EQ(run(std::nullopt), 0) << diagnostics.str();
    const std::string report = dir.read("VDANOUT.DAT"), spar = dir.read("SPAR.DAT"), ypar = dir.read("YPAR.DAT");
    EXPECT_FALSE(dir.exists("NETWORK.s2p"));

    ASSERT_EQ(run(""), 0) << diagnostics.str();
    EXPECT_EQ(dir.read("VDANOUT.DAT"), report);
    EXPECT_EQ(dir.read("SPAR.DAT"), spar);
    EXPECT_EQ(dir.read("YPAR.DAT"), ypar);
    const portfiles::TouchstoneReading written = portfiles::read_touchstone_file(dir.path() / "NETWORK.s2p", "NETWORK.s2p");
    ASSERT_TRUE(written.ok) << written.error.message();
    EXPECT_EQ(written.version, 2);  // 50 and 75 ohms
    EXPECT_EQ(written.network.reference, (std::vector<double>{50, 75}));
    const portfiles::SweepReading blocks = portfiles::read_parameter_file(dir.path() / "SPAR.DAT", "SPAR.DAT");
    ASSERT_EQ(written.network.sweep.points(), 3u);
    for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(written.network.sweep.frequencies[k], blocks.sweep.frequencies[k]);
        for (int q = 0; q < 2; ++q)
            for (int p = 0; p < 2; ++p)
                EXPECT_NEAR(std::abs(written.network.sweep.at(k, q, p) - blocks.sweep.at(k, q, p)), 0, 1e-7);
    }
    const std::string text = dir.read("NETWORK.s2p");
    EXPECT_EQ(text.rfind("! mtlnet ", 0), 0u);
    EXPECT_NE(text.find("\n! sweep of 3 frequencies from 1000000 Hz to 3000000 Hz\n"), std::string::npos) << text;
}

TEST_F(TouchstoneOutput, ANamedFileStandsInTheRunsFolder) {
    std::filesystem::create_directory(dir.path() / "out");
    ASSERT_EQ(run("out/line.s2p"), 0) << diagnostics.str();
    EXPECT_TRUE(dir.exists("out/line.s2p"));
    EXPECT_FALSE(dir.exists("NETWORK.s2p"));
}

TEST_F(TouchstoneOutput, AFailingSweepLeavesTheCompletedFrequencies) {
    // A 1 mOhm port on an open node reflects exactly +1: S is complete, then
    // I - S cannot be inverted. SPAR.DAT keeps that block, and so does the
    // Touchstone file.
    dir.write_inputs(CONFIG, SWEEP, "0\n", "2\n2\n1\n6 1E-3 1\n1\n6 1E30 2\n");
    solver::MtlnetOptions options;
    options.directory = dir.path();
    options.touchstone = "";
    EXPECT_EQ(solver::run_mtlnet(options, diagnostics), 1);
    const portfiles::TouchstoneReading written = portfiles::read_touchstone_file(dir.path() / "NETWORK.s2p", "NETWORK.s2p");
    ASSERT_TRUE(written.ok) << written.error.message();
    EXPECT_EQ(written.network.sweep.points(), 1u);
    EXPECT_NE(dir.read("NETWORK.s2p").find("; 1 completed\n"), std::string::npos);
}

TEST_F(TouchstoneOutput, AnUnwritableNameStopsTheRunBeforeTheParameterFilesAreReplaced) {
    dir.write("SPAR.DAT", "kept\n");
    EXPECT_EQ(run("no_such_folder/x.s2p"), 1);
    EXPECT_EQ(dir.read("SPAR.DAT"), "kept\n");
    EXPECT_NE(dir.read("VDANOUT.DAT").find("\n\n ERROR CREATING TOUCHSTONE FILE\n EXECUTION TERMINATED\n"),
              std::string::npos);
    EXPECT_EQ(diagnostics.str(), "mtlnet: cannot create the Touchstone file " +
                                     (dir.path() / "no_such_folder/x.s2p").string() + ": no folder " +
                                     (dir.path() / "no_such_folder").string() + "\n");
}

TEST_F(TouchstoneOutput, AFolderInItsPlaceStopsTheRunAndLeavesTheOldFiles) {
    dir.write("SPAR.DAT", "kept\n");
    std::filesystem::create_directory(dir.path() / "NETWORK.s2p");
    EXPECT_EQ(run(""), 1);
    EXPECT_EQ(dir.read("SPAR.DAT"), "kept\n");
    EXPECT_TRUE(std::filesystem::is_empty(dir.path() / "NETWORK.s2p"));
    EXPECT_NE(dir.read("VDANOUT.DAT").find("\n\n ERROR CREATING TOUCHSTONE FILE\n EXECUTION TERMINATED\n"),
              std::string::npos);
    EXPECT_EQ(diagnostics.str(), "mtlnet: cannot create the Touchstone file " + (dir.path() / "NETWORK.s2p").string() +
                                     ": Is a directory\n");
}

TEST_F(TouchstoneOutput, AFullDiskGivesOneDiagnosticLineAloneOrFoldedIntoAnEarlierFailure) {
    const std::string name = (dir.path() / "NETWORK.s2p").string();
    // A full disk: alone, and after a frequency that failed.
    std::filesystem::create_symlink("/dev/full", dir.path() / "NETWORK.s2p");
    EXPECT_EQ(run(""), 1);
    EXPECT_EQ(diagnostics.str(), "mtlnet: the Touchstone file " + name + " could not be written: No space left on device\n");
    EXPECT_NE(dir.read("VDANOUT.DAT").find("\n\n ERROR WRITING TOUCHSTONE FILE\n EXECUTION TERMINATED\n"),
              std::string::npos);
    EXPECT_EQ(run("", "2\n2\n1\n6 1E-3 1\n1\n6 1E30 2\n"), 1);
    const std::string line = diagnostics.str();
    EXPECT_EQ(std::count(line.begin(), line.end(), '\n'), 1) << line;
    EXPECT_TRUE(line.ends_with("; the Touchstone file " + name + " could not be written either\n")) << line;
}

}  // namespace
