// The mtlnet program itself: exit status, standard error and the examples.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "test_directory.h"

namespace {

using solver_test::TestDirectory;

// Runs mtlnet in the directory; returns its exit status, stderr in `errors`.
int run_program(const TestDirectory& dir, std::string& errors, const std::string& arguments = "") {
    std::string command =
        "cd '" + dir.path().string() + "' && '" MTLNET_PROGRAM "' " + arguments + " >stdout.txt 2>stderr.txt";
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

void copy_example(const char* name, const std::filesystem::path& to) {
    const std::filesystem::path example = std::filesystem::path(MTL_EXAMPLES_DIR) / name;
    for (const char* input : {"CONFIG.DAT", "FRQINP.DAT", "LININP.DAT", "NETINP.DAT"})
        std::filesystem::copy_file(example / input, to / input);
}

// Everything in the directory but the captured output of the program.
std::vector<std::string> files_written(const TestDirectory& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.path())) {
        const std::string name = std::filesystem::relative(entry.path(), dir.path()).string();
        if (name != "stdout.txt" && name != "stderr.txt") names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(MtlnetCommandLine, HelpAndVersionAnswerWithoutRunning) {
    TestDirectory dir;
    copy_example("single_line_50ohm", dir.path());
    std::string errors;
    EXPECT_EQ(run_program(dir, errors, "--help"), 0);
    EXPECT_EQ(errors, "");
    const std::string help = dir.read("stdout.txt");
    EXPECT_EQ(help.rfind("usage: mtlnet [-C DIR] [--quiet] [--sweep SWEEP] [--threads N] [--dense] [--help] [--version]\n", 0), 0u) << help;
    for (const char* text : {"CONFIG.DAT", "NETINP.DAT", "VDANOUT.DAT", "SPAR.DAT", "Exit status", "  2  wrong"})
        EXPECT_NE(help.find(text), std::string::npos) << text;

    EXPECT_EQ(run_program(dir, errors, "--version"), 0);
    EXPECT_EQ(dir.read("stdout.txt"), "mtlnet " MTL_VERSION "\n");
    EXPECT_EQ(files_written(dir), (std::vector<std::string>{"CONFIG.DAT", "FRQINP.DAT", "LININP.DAT", "NETINP.DAT"}));
}

TEST(MtlnetCommandLine, WrongCommandLinesExitWithStatusTwoAndWriteNothing) {
    TestDirectory dir;
    copy_example("single_line_50ohm", dir.path());
    for (const char* arguments : {"--frobnicate", "-C", "-C no_such_folder", "--quiet=yes", "extra", "--help=1", "-x",
                                  "--threads", "--threads 0", "--threads 2x", "--threads 65", "--dense=1"}) {
        std::string errors;
        EXPECT_EQ(run_program(dir, errors, arguments), 2) << arguments;
        const std::size_t end_of_reason = errors.find('\n');
        ASSERT_NE(end_of_reason, std::string::npos) << arguments;
        EXPECT_EQ(errors.rfind("mtlnet: ", 0), 0u) << errors;
        EXPECT_EQ(errors.substr(end_of_reason + 1), "usage: mtlnet [-C DIR] [--quiet] [--sweep SWEEP] [--threads N] [--dense] [--help] [--version]\n");
        EXPECT_EQ(dir.read("stdout.txt"), "");
    }
    EXPECT_EQ(files_written(dir), (std::vector<std::string>{"CONFIG.DAT", "FRQINP.DAT", "LININP.DAT", "NETINP.DAT"}));
}

TEST(MtlnetCommandLine, RunsInTheFolderGivenWithC) {
    TestDirectory dir;
    std::filesystem::create_directory(dir.path() / "case one");
    copy_example("single_line_50ohm", dir.path() / "case one");
    std::string errors;
    EXPECT_EQ(run_program(dir, errors, "--quiet -C 'case one'"), 0) << errors;
    EXPECT_EQ(errors, "");
    for (const char* output : {"VDANOUT.DAT", "SPAR.DAT", "ZPAR.DAT", "YPAR.DAT"}) {
        EXPECT_TRUE(dir.exists(std::string("case one/") + output)) << output;
        EXPECT_FALSE(dir.exists(output)) << output;
    }
    // The same files as a run inside the folder.
    TestDirectory inside;
    copy_example("single_line_50ohm", inside.path());
    EXPECT_EQ(run_program(inside, errors), 0);
    EXPECT_EQ(inside.read("SPAR.DAT"), dir.read("case one/SPAR.DAT"));
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
class GoldenExampleRun : public ExampleRun {};

TEST_P(GoldenExampleRun, WritesTheGoldenReportAndParameterFiles) {
    TestDirectory dir;
    const std::filesystem::path example = std::filesystem::path(MTL_EXAMPLES_DIR) / GetParam();
    const std::filesystem::path golden = std::filesystem::path(MTL_GOLDEN_DIR) / GetParam();
    for (const char* name : {"CONFIG.DAT", "FRQINP.DAT", "LININP.DAT", "NETINP.DAT"})
        std::filesystem::copy_file(example / name, dir.path() / name);
    // The dense reference and any number of threads write the same.
    for (const char* arguments : {"", "--threads 1", "--threads 3 --dense"}) {
        std::string errors;
        EXPECT_EQ(run_program(dir, errors, arguments), 0);
        EXPECT_EQ(errors, "");
        EXPECT_EQ(dir.read("stdout.txt"), "");
        for (const char* name : {"VDANOUT.DAT", "SPAR.DAT", "ZPAR.DAT", "YPAR.DAT"}) {
            std::ifstream in(golden / name, std::ios::binary);
            ASSERT_TRUE(in) << golden / name;
            std::ostringstream expected;
            expected << in.rdbuf();
            EXPECT_TRUE(dir.read(name) == expected.str()) << name << " of " << GetParam() << " differs with '"
                                                          << arguments << "'";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Examples, ExampleRun,
                         ::testing::Values("single_line_50ohm", "coupled_microstrip", "lc_lowpass",
                                           "ribbon_crosstalk"));
INSTANTIATE_TEST_SUITE_P(Examples, GoldenExampleRun,
                         ::testing::Values("single_line_50ohm", "coupled_microstrip", "lc_lowpass"));

}  // namespace
