// mtlnet when its files misbehave: outputs that cannot be created or
// written (a folder in a file's place, a full device, a size limit) and
// inputs that never end. Nothing of an earlier run is lost, the run ends with
// one diagnostic line, and no input makes the program read without end.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>

#include "test_directory.h"

namespace {

using solver_test::TestDirectory;
namespace fs = std::filesystem;

constexpr const char* CONFIG = "0 0\n1E6\n0\n0\n0 0 0 0 0\n0 0 2 0 0\n";
constexpr const char* SWEEP = "1E6 1E6 2\n";
constexpr const char* NO_LINES = "0\n";
constexpr const char* ONE_PORT = "1\n1\n2\n6 50 1\n1 50 0\n";
// Line 1 holds a letter where [C] is expected.
constexpr const char* BAD_LINES = "1\n1\n2.5E-7\n1.2e-10x\n0\n0\n1\n";
constexpr const char* BAD_LINES_DIAGNOSTIC =
    "mtlnet: LININP.DAT:4: expected a real number (matrix [C] of line 1), found \"1.2e-10x\"";

constexpr const char* OLD_SPAR = "old S parameters\n";
constexpr const char* OLD_ZPAR = "old Z parameters\n";
constexpr const char* OLD_YPAR = "old Y parameters\n";

// Runs mtlnet in the directory after `limits` (shell commands such as
// "ulimit -f 4"); returns its exit status and its standard error, and the
// peak memory of the run in KiB.
int run_program(const TestDirectory& dir, std::string& errors, const std::string& limits = "",
                long* peak_kib = nullptr) {
    const std::string command =
        "cd '" + dir.path().string() + "' && " + limits + "\n exec '" MTLNET_PROGRAM "' >stdout.txt 2>stderr.txt";
    const pid_t child = fork();
    if (child == 0) {
        execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (child < 0 || wait4(child, &status, 0, &usage) != child) return -1;
    if (peak_kib) *peak_kib = usage.ru_maxrss;
    errors = dir.read("stderr.txt");
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void write_old_parameter_files(const TestDirectory& dir) {
    dir.write("SPAR.DAT", OLD_SPAR);
    dir.write("ZPAR.DAT", OLD_ZPAR);
    dir.write("YPAR.DAT", OLD_YPAR);
}

std::set<std::string> names_in(const TestDirectory& dir) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.path())) names.insert(entry.path().filename().string());
    return names;
}

bool ends_with(const std::string& text, const std::string& ending) {
    return text.size() >= ending.size() && text.compare(text.size() - ending.size(), ending.size(), ending) == 0;
}

// ---- Outputs that cannot be created or written.

TEST(UnwritableOutputs, AFolderInAParameterFilesPlaceLeavesTheOldFilesAsTheyWere) {
    TestDirectory dir;
    dir.write_inputs(CONFIG, SWEEP, NO_LINES, ONE_PORT);
    write_old_parameter_files(dir);
    fs::remove(dir.path() / "ZPAR.DAT");
    fs::create_directory(dir.path() / "ZPAR.DAT");
    std::string errors;
    EXPECT_EQ(run_program(dir, errors), 1);
    EXPECT_EQ(dir.read("SPAR.DAT"), OLD_SPAR);
    EXPECT_EQ(dir.read("YPAR.DAT"), OLD_YPAR);
    EXPECT_TRUE(fs::is_directory(dir.path() / "ZPAR.DAT"));
    EXPECT_TRUE(ends_with(dir.read("VDANOUT.DAT"), "\n\n ERROR CREATING PARAMETER FILES\n EXECUTION TERMINATED\n"));
    EXPECT_EQ(errors.rfind("mtlnet: cannot create the parameter file ZPAR.DAT", 0), 0u) << errors;
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
    // No temporary file is left behind.
    EXPECT_EQ(names_in(dir), (std::set<std::string>{"CONFIG.DAT", "FRQINP.DAT", "LININP.DAT", "NETINP.DAT",
                                                    "SPAR.DAT", "ZPAR.DAT", "YPAR.DAT", "VDANOUT.DAT",
                                                    "stdout.txt", "stderr.txt"}));
}

TEST(UnwritableOutputs, ASuccessfulRunReplacesTheOldFilesAndLeavesNothingElse) {
    TestDirectory dir;
    dir.write_inputs(CONFIG, SWEEP, NO_LINES, ONE_PORT);
    write_old_parameter_files(dir);
    fs::permissions(dir.path() / "SPAR.DAT", fs::perms(0640));
    std::string errors;
    EXPECT_EQ(run_program(dir, errors), 0);
    EXPECT_EQ(errors, "");
    EXPECT_EQ(dir.read("SPAR.DAT").rfind("   1.0000000E+06\n\n", 0), 0u);
    EXPECT_EQ(dir.read("YPAR.DAT").size(), 3u * 51u);  // 3 blocks of 17 + 1 + 32 + 1 bytes
    EXPECT_EQ(fs::status(dir.path() / "SPAR.DAT").permissions(), fs::perms(0640));
    EXPECT_EQ(names_in(dir).size(), 10u);  // the inputs, the outputs, stdout.txt and stderr.txt
}

TEST(UnwritableOutputs, AFullReportAfterAFailureFoldsIntoTheOneDiagnostic) {
    TestDirectory dir;
    dir.write_inputs(CONFIG, SWEEP, BAD_LINES, ONE_PORT);
    fs::create_symlink("/dev/full", dir.path() / "VDANOUT.DAT");
    std::string errors;
    EXPECT_EQ(run_program(dir, errors), 1);
    EXPECT_EQ(errors, std::string(BAD_LINES_DIAGNOSTIC) + "; the run report could not be written either\n");
}

TEST(UnwritableOutputs, AFullParameterFileKeepsTheOldFilesAndGivesOneDiagnostic) {
    TestDirectory dir;
    dir.write_inputs(CONFIG, SWEEP, NO_LINES, ONE_PORT);
    write_old_parameter_files(dir);
    fs::remove(dir.path() / "YPAR.DAT");
    fs::create_symlink("/dev/full", dir.path() / "YPAR.DAT");
    std::string errors;
    EXPECT_EQ(run_program(dir, errors), 1);
    EXPECT_EQ(errors, "mtlnet: the parameter file YPAR.DAT could not be written: No space left on device\n");
    EXPECT_TRUE(ends_with(dir.read("VDANOUT.DAT"), "\n\n ERROR WRITING PARAMETER FILES\n EXECUTION TERMINATED\n"));
    // A set of files of one run: the old ones stay as they were.
    EXPECT_EQ(dir.read("SPAR.DAT"), OLD_SPAR);
    EXPECT_EQ(dir.read("ZPAR.DAT"), OLD_ZPAR);
    EXPECT_TRUE(fs::is_symlink(dir.path() / "YPAR.DAT"));

    fs::remove(dir.path() / "VDANOUT.DAT");
    fs::create_symlink("/dev/full", dir.path() / "VDANOUT.DAT");
    EXPECT_EQ(run_program(dir, errors), 1);
    EXPECT_EQ(errors,
              "mtlnet: the parameter file YPAR.DAT could not be written: No space left on device; "
              "the run report could not be written either\n");
}

TEST(UnwritableOutputs, AReportCutShortByAFullDiskStillEndsWithExecutionTerminated) {
    // A file size limit (8 KiB: sh counts 512-byte blocks) stands for a disk
    // that fills up during the run.
    TestDirectory dir;
    dir.write_inputs("0 0\n1E6\n0\n0\n0 0 0 0 0\n0 0 2 0 0\n", "1E6 1E6 100\n", NO_LINES, ONE_PORT);
    std::string errors;
    EXPECT_EQ(run_program(dir, errors, "ulimit -f 16; trap '' XFSZ"), 1);
    const std::string report = dir.read("VDANOUT.DAT");
    EXPECT_LE(report.size(), 8192u);
    EXPECT_GT(report.size(), 7000u);
    EXPECT_TRUE(ends_with(report, "\n\n ERROR WRITING RUN REPORT\n EXECUTION TERMINATED\n")) << report;
    EXPECT_EQ(errors, "mtlnet: the run report VDANOUT.DAT could not be written: File too large\n");
}

// ---- Inputs without end.

// Runs mtlnet with a time limit, and outside the sanitizers (which reserve
// address space of their own) with an address-space limit: a program that
// reads an endless input into memory fails the test instead of the machine.
int run_bounded(const TestDirectory& dir, std::string& errors, long* peak_kib = nullptr) {
    std::string limits = "ulimit -t 60";
#if defined(__SANITIZE_ADDRESS__)
    limits += "; export ASAN_OPTIONS=\"$ASAN_OPTIONS:max_allocation_size_mb=2048\"";
#else
    limits += "; ulimit -v 2000000";
#endif
    return run_program(dir, errors, limits + ";", peak_kib);
}

TEST(EndlessInput, AnEndlessConfigurationFileEndsTheRunWithTheReadMessage) {
    TestDirectory dir;
    dir.write_inputs(CONFIG, SWEEP, NO_LINES, ONE_PORT);
    fs::remove(dir.path() / "CONFIG.DAT");
    fs::create_symlink("/dev/zero", dir.path() / "CONFIG.DAT");
    std::string errors;
    EXPECT_EQ(run_bounded(dir, errors), 1);
    EXPECT_EQ(errors, "mtlnet: CONFIG.DAT:1: line 1 is longer than 1048576 bytes\n");
    EXPECT_EQ(dir.read("VDANOUT.DAT"), "\n\n ERROR OR END OF FILE READING CONFIGURATION FILE\n EXECUTION TERMINATED\n");
}

TEST(EndlessInput, AHugeLineWithoutEndIsNotReadIntoMemory) {
    TestDirectory dir;
    dir.write_inputs(CONFIG, SWEEP, NO_LINES, ONE_PORT);
    // 100 MiB of NUL bytes after the first line, without a line end.
    dir.write("LININP.DAT", "1\n");
    fs::resize_file(dir.path() / "LININP.DAT", 100u << 20);
    ASSERT_EQ(fs::file_size(dir.path() / "LININP.DAT"), 100u << 20);
    std::string errors;
    long peak_kib = 0;
    EXPECT_EQ(run_bounded(dir, errors, &peak_kib), 1);
    EXPECT_EQ(errors, "mtlnet: LININP.DAT:2: line 2 is longer than 1048576 bytes\n");
    const std::string report = dir.read("VDANOUT.DAT");
    EXPECT_TRUE(ends_with(report, "\n\n ERROR OR END OF FILE READING TRANSMISSION-LINE DATA\n EXECUTION TERMINATED\n"));
    EXPECT_LT(peak_kib, 64 * 1024);
}

}  // namespace
