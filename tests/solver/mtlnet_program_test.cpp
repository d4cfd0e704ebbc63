// The mtlnet program itself: exit status, standard error and the examples.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "test_directory.h"

namespace {

using solver_test::TestDirectory;

// Runs mtlnet in the directory; returns its exit status, stderr in `errors`.
int run_program(const TestDirectory& dir, std::string& errors) {
    std::string command = "cd '" + dir.path().string() + "' && '" MTLNET_PROGRAM "' >stdout.txt 2>stderr.txt";
    int status = std::system(command.c_str());
    errors = dir.read("stderr.txt");
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(MtlnetProgram, FailedRunExitsWithStatusOneAndOneDiagnosticLine) {
    TestDirectory dir;
    dir.write("CONFIG.DAT", "0 0\n1E9\n0.5\n1\n0 0 0 0 0\n0 1 4 1 1\n");
    dir.write("FRQINP.DAT", "1E6 1E6 9\n");
    dir.write("LININP.DAT", "1\n1\n2.5E-7\n1.2e-10x\n0\n0\n1\n");
    std::string errors;
    EXPECT_EQ(run_program(dir, errors), 1);
    EXPECT_EQ(errors, "mtlnet: LININP.DAT:4: expected a real number (matrix [C] of line 1), found \"1.2e-10x\"\n");
    std::string report = dir.read("VDANOUT.DAT");
    const std::string ending = "\n\n ERROR OR END OF FILE READING TRANSMISSION-LINE DATA\n EXECUTION TERMINATED\n";
    ASSERT_GE(report.size(), ending.size());
    EXPECT_EQ(report.substr(report.size() - ending.size()), ending);
    EXPECT_EQ(dir.read("stdout.txt"), "");
}

TEST(MtlnetProgram, UncreatableReportExitsWithStatusOne) {
    TestDirectory dir;
    std::filesystem::create_directory(dir.path() / "VDANOUT.DAT");
    std::string errors;
    EXPECT_EQ(run_program(dir, errors), 1);
    EXPECT_EQ(errors.rfind("mtlnet: cannot create the run report VDANOUT.DAT: ", 0), 0u);
}

class ExampleRun : public ::testing::TestWithParam<const char*> {};

TEST_P(ExampleRun, PassesTheInputStages) {
    TestDirectory dir;
    const std::filesystem::path example = std::filesystem::path(MTL_EXAMPLES_DIR) / GetParam();
    for (const char* name : {"CONFIG.DAT", "FRQINP.DAT", "LININP.DAT", "NETINP.DAT"})
        std::filesystem::copy_file(example / name, dir.path() / name);
    ASSERT_TRUE(std::filesystem::exists(example / "README.md"));
    std::string errors;
    EXPECT_EQ(run_program(dir, errors), 0);
    EXPECT_EQ(errors, "");
    std::string report = dir.read("VDANOUT.DAT");
    EXPECT_NE(report.find(" EXTERNAL PORTS\n"), std::string::npos);
    EXPECT_EQ(report.find("EXECUTION TERMINATED"), std::string::npos);
}

// The report and the parameter files of every example, byte for byte as
// kept in tests/solver/golden (written by the solver before its sweep was
// split into numerics and writer).
TEST_P(ExampleRun, WritesTheGoldenReportAndParameterFiles) {
    TestDirectory dir;
    const std::filesystem::path example = std::filesystem::path(MTL_EXAMPLES_DIR) / GetParam();
    const std::filesystem::path golden = std::filesystem::path(MTL_GOLDEN_DIR) / GetParam();
    for (const char* name : {"CONFIG.DAT", "FRQINP.DAT", "LININP.DAT", "NETINP.DAT"})
        std::filesystem::copy_file(example / name, dir.path() / name);
    std::string errors;
    EXPECT_EQ(run_program(dir, errors), 0);
    EXPECT_EQ(errors, "");
    EXPECT_EQ(dir.read("stdout.txt"), "");
    for (const char* name : {"VDANOUT.DAT", "SPAR.DAT", "ZPAR.DAT", "YPAR.DAT"}) {
        std::ifstream in(golden / name, std::ios::binary);
        ASSERT_TRUE(in) << golden / name;
        std::ostringstream expected;
        expected << in.rdbuf();
        EXPECT_TRUE(dir.read(name) == expected.str()) << name << " of " << GetParam() << " differs";
    }
}

INSTANTIATE_TEST_SUITE_P(Examples, ExampleRun,
                         ::testing::Values("single_line_50ohm", "coupled_microstrip", "lc_lowpass"));

}  // namespace
