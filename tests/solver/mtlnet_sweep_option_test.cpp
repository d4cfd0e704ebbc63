// mtlnet --sweep: a logarithmic sweep of the ribbon-cable example replaces
// FRQINP.DAT, and a bad sweep stops the program before it writes anything.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "parameter_blocks.h"
#include "test_directory.h"

namespace {

using solver_test::TestDirectory;

int run_program(const TestDirectory& dir, const std::string& arguments, std::string& errors) {
    const std::string command =
        "cd '" + dir.path().string() + "' && '" MTLNET_PROGRAM "' " + arguments + " >stdout.txt 2>stderr.txt";
    const int status = std::system(command.c_str());
    errors = dir.read("stderr.txt");
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void copy_example(const TestDirectory& dir, const char* example) {
    dir.copy_inputs_from(std::filesystem::path(MTL_EXAMPLES_DIR) / example);
}

TEST(MtlnetSweepOption, LogarithmicSweepReplacesTheFrequencyFile) {
    TestDirectory dir;
    copy_example(dir, "ribbon_crosstalk");
    std::string errors;
    ASSERT_EQ(run_program(dir, "--quiet --sweep log:1e4:1e8:41", errors), 0) << errors;
    const std::string report = dir.read("VDANOUT.DAT");
    EXPECT_NE(report.find("\n\n\n LOGARITHMIC SWEEP, EQUAL STEPS IN LOG10 OF THE FREQUENCY\n"
                          " STARTING FREQUENCY 1.000E+04 Hz\n"
                          " FINAL FREQUENCY 1.000E+08 Hz\n"
                          " NUMBER OF FREQUENCY STEPS   40\n"
                          " POINTS PER DECADE     10.00\n\n\n"),
              std::string::npos);
    EXPECT_EQ(report.find(" FREQUENCY STEP "), std::string::npos);

    const auto blocks = solver_test::read_parameter_file((dir.path() / "SPAR.DAT").string());
    ASSERT_EQ(blocks.size(), 41u);
    for (int i = 0; i <= 40; ++i)
        EXPECT_NEAR(blocks[i].frequency, 1e4 * std::pow(10.0, i / 10.0), 1e-6 * blocks[i].frequency) << i;

    // The near-end crosstalk of the electrically short cable rises by
    // 20 dB per decade: 10 kHz to 100 kHz to 1 MHz.
    const auto db = [&](int i) { return 20 * std::log10(std::abs(blocks[i].at(2, 1))); };
    EXPECT_NEAR(db(10) - db(0), 20.0, 0.1);
    EXPECT_NEAR(db(20) - db(10), 20.0, 0.2);
}

TEST(MtlnetSweepOption, BadSweepsStopBeforeAnythingIsWritten) {
    for (const char* arguments : {"--sweep log:1e8:1e4:10", "--sweep=log:1e4:1e4:10", "--sweep log:1e4:1e8:1",
                                  "--sweep log:1e4:1e8:10001", "--sweep log:1e4:abc:10", "--sweep log:1e4:1e8",
                                  "--sweep lin:1e6:1e6:9.5", "--sweep", "--sweep log:0:1e8:10 --quiet"}) {
        TestDirectory dir;
        copy_example(dir, "ribbon_crosstalk");
        std::string errors;
        EXPECT_EQ(run_program(dir, arguments, errors), 2) << arguments;
        EXPECT_EQ(errors.rfind("mtlnet: ", 0), 0u) << errors;
        EXPECT_NE(errors.find("\nusage: mtlnet "), std::string::npos) << errors;
        EXPECT_FALSE(std::filesystem::exists(dir.path() / "VDANOUT.DAT")) << arguments;
        EXPECT_FALSE(std::filesystem::exists(dir.path() / "SPAR.DAT")) << arguments;
    }
}

TEST(MtlnetSweepOption, LinearSweepMeansWhatTheFrequencyFileMeans) {
    TestDirectory from_file, from_option;
    copy_example(from_file, "lc_lowpass");
    copy_example(from_option, "lc_lowpass");
    from_file.write("FRQINP.DAT", "-2E6 1E6 -20\n");
    std::string errors;
    ASSERT_EQ(run_program(from_file, "", errors), 0);
    ASSERT_EQ(run_program(from_option, "--sweep lin:-2E6:1E6:-20", errors), 0);
    for (const char* name : {"VDANOUT.DAT", "SPAR.DAT", "ZPAR.DAT", "YPAR.DAT"})
        EXPECT_TRUE(from_file.read(name) == from_option.read(name)) << name;
}

}  // namespace
