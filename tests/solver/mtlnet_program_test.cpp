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

#include "run_mtlnet.h"
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
    EXPECT_EQ(help.rfind("usage: mtlnet [-C DIR] [--quiet] [--strict] [--touchstone [FILE]] [--sweep SWEEP] [--threads N] [--dense] [--help] [--version]\n", 0), 0u) << help;
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
        EXPECT_EQ(errors.substr(end_of_reason + 1), "usage: mtlnet [-C DIR] [--quiet] [--strict] [--touchstone [FILE]] [--sweep SWEEP] [--threads N] [--dense] [--help] [--version]\n");
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

// The report and the parameter files as a run left them.
std::vector<std::string> outputs(const TestDirectory& dir) {
    std::vector<std::string> texts;
    for (const char* name : {"VDANOUT.DAT", "SPAR.DAT", "ZPAR.DAT", "YPAR.DAT"}) texts.push_back(dir.read(name));
    return texts;
}

TEST(MtlnetWarnings, ChangeNoFileAreSilencedByQuietAndStopTheRunWithStrict) {
    TestDirectory dir;
    copy_example("coupled_microstrip", dir.path());
    std::string lines = dir.read("LININP.DAT");
    lines.replace(lines.find("0.6E-7 3.2E-7"), 6, "0.06E-7");  // L(2,1) a tenth of L(1,2)
    dir.write("LININP.DAT", lines);
    std::string errors;
    EXPECT_EQ(run_program(dir, errors), 0);
    EXPECT_EQ(errors,
              "mtlnet: warning: LININP.DAT:4: L(1,2) = 6.000E-08 (line 3) and L(2,1) = 6.000E-09 (line 4) of "
              "transmission line 1 differ by more than 1 %; both are used as their mean\n");
    const std::vector<std::string> warned = outputs(dir);
    EXPECT_EQ(run_program(dir, errors, "--quiet"), 0);
    EXPECT_EQ(errors, "");
    EXPECT_EQ(outputs(dir), warned);

    TestDirectory strict;
    strict.write_inputs(dir.read("CONFIG.DAT"), dir.read("FRQINP.DAT"), lines, dir.read("NETINP.DAT"));
    EXPECT_EQ(run_program(strict, errors, "--strict --quiet"), 1);
    EXPECT_EQ(errors.rfind("mtlnet: error: LININP.DAT:4: L(1,2) = 6.000E-08", 0), 0u) << errors;
    const std::string report = strict.read("VDANOUT.DAT");
    // The line stage's echo, then the message as for a failed input stage.
    const std::string ending =
        " LINE LENGTH 1.000E-01 m\n\n\n\n\n SUSPICIOUS INPUT DATA REJECTED, WARNINGS ARE ERRORS\n EXECUTION TERMINATED\n";
    ASSERT_GE(report.size(), ending.size());
    EXPECT_EQ(report.substr(report.size() - ending.size()), ending);
    EXPECT_FALSE(strict.exists("SPAR.DAT"));
}

TEST(MtlnetWarnings, ByteOrderMarksAreSkipped) {
    TestDirectory plain, marked;
    copy_example("coupled_microstrip", plain.path());
    for (const char* name : {"CONFIG.DAT", "FRQINP.DAT", "LININP.DAT", "NETINP.DAT"})
        marked.write(name, "\xEF\xBB\xBF" + plain.read(name));
    std::string errors;
    EXPECT_EQ(run_program(plain, errors), 0);
    EXPECT_EQ(run_program(marked, errors), 0);
    EXPECT_EQ(errors, "");
    EXPECT_EQ(outputs(marked), outputs(plain));
}

TEST(MtlnetWarnings, TerminalGetsOneSummaryLineAfterASuccessfulRun) {
    TestDirectory dir;
    copy_example("single_line_50ohm", dir.path());
    solver::MtlnetOptions options;
    options.directory = dir.path();
    options.terminal = true;
    std::ostringstream diagnostics;
    EXPECT_EQ(solver::run_mtlnet(options, diagnostics), 0);
    const std::string line = diagnostics.str();
    const std::string start = "mtlnet: 200 points, 2 ports; wrote VDANOUT.DAT, SPAR.DAT, ZPAR.DAT, YPAR.DAT in ";
    EXPECT_EQ(line.rfind(start, 0), 0u) << line;
    EXPECT_EQ(line.substr(line.size() - 3), " s\n") << line;
    options.quiet = true;
    diagnostics.str("");
    EXPECT_EQ(solver::run_mtlnet(options, diagnostics), 0);
    EXPECT_EQ(diagnostics.str(), "");
    dir.write("FRQINP.DAT", "x\n");
    options.quiet = false;
    EXPECT_EQ(solver::run_mtlnet(options, diagnostics), 1);
    EXPECT_EQ(diagnostics.str().find("points"), std::string::npos);
}

class ExampleRun : public ::testing::TestWithParam<const char*> {};

TEST_P(ExampleRun, PassesTheInputStages) {
    TestDirectory dir;
    const std::filesystem::path example = std::filesystem::path(MTL_EXAMPLES_DIR) / GetParam();
    dir.copy_inputs_from(example);
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
    dir.copy_inputs_from(example);
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
