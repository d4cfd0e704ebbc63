// The S/Z/Y report sections, the parameter files byte for byte, and what the
// files hold after each kind of failure in the sweep.
#include <gtest/gtest.h>

#include <array>
#include <complex>
#include <sstream>
#include <string>

#include "parameter_blocks.h"
#include "parameter_files.h"
#include "port_parameter_report.h"
#include "run_mtlnet.h"
#include "s_levels.h"
#include "stage_fixture.h"

namespace {

using C = std::complex<double>;
using solver_test::TestDirectory;

int count_lines(const std::string& text) {
    int n = 0;
    for (char c : text) n += c == '\n';
    return n;
}

class SectionTest : public solver_test::StageTest {
protected:
    // S = [[0.5+0.25j, 0.1j], [0.1j, 0]] column-major.
    C s[4] = {C(0.5, 0.25), C(0, 0.1), C(0, 0.1), C(0, 0)};

    // The section of the n x n matrix m with the levels its mode shows.
    void write_s_section(int mode, const C* m, int n) {
        double db[16] = {}, degrees[16] = {};
        solver::compute_s_levels(mode, m, n, n, db, degrees);
        solver::write_s_section(run->report, mode, m, db, degrees, n, n);
    }
};

// The sections of SectionTest::s in modes 2 and 4.
const std::string WITH_DECIBELS =
    "\n MATRIX OF S PARAMETERS\n\n"
    " ( 5.00E-01, 2.50E-01) (  -5.05 dB)  ( 0.00E+00, 1.00E-01) ( -20.00 dB) \n"
    " ( 0.00E+00, 1.00E-01) ( -20.00 dB)  ( 0.00E+00, 0.00E+00) (-400.00 dB) \n";
const std::string WITH_DEGREES =
    "\n MATRIX OF S PARAMETERS\n\n"
    "   -5.05 dB (  26.57\xF8)   -20.00 dB (  90.00\xF8) \n"
    "  -20.00 dB (  90.00\xF8)  -400.00 dB (   0.00\xF8) \n";

TEST_F(SectionTest, ComplexWithDecibels) {
    write_s_section(2, s, 2);
    EXPECT_EQ(report(), WITH_DECIBELS);
}

TEST_F(SectionTest, ComplexOnlyAndTitleOnly) {
    write_s_section(3, s, 2);
    write_s_section(7, s, 2);
    EXPECT_EQ(report(),
              "\n MATRIX OF S PARAMETERS\n\n"
              " ( 5.00E-01, 2.50E-01)  ( 0.00E+00, 1.00E-01) \n"
              " ( 0.00E+00, 1.00E-01)  ( 0.00E+00, 0.00E+00) \n"
              "\n MATRIX OF S PARAMETERS\n\n");
}

TEST_F(SectionTest, DecibelsAndDegrees) {
    write_s_section(4, s, 2);
    EXPECT_EQ(report(), WITH_DEGREES);
}

TEST_F(SectionTest, SectionsAcrossTheReportsBufferStayInOrder) {
    // About 350 kB: sections put into the buffer and whole lines meet at
    // several of its ends.
    std::string expected;
    for (int i = 0; i < 2000; ++i) {
        const std::string line = " POINT " + std::to_string(i);
        run->report.line(line);
        write_s_section(i % 3 == 0 ? 4 : 2, s, 2);
        expected += line + "\n" + (i % 3 == 0 ? WITH_DEGREES : WITH_DECIBELS);
    }
    EXPECT_EQ(report(), expected);
}

TEST_F(SectionTest, ThreeEntriesToALineInDecibelMode) {
    C big[16];
    for (auto& v : big) v = C(0.1, 0);
    write_s_section(2, big, 4);
    std::string text = report();
    EXPECT_EQ(count_lines(text), 3 + 4 * 2);
}

// A failing sweep: which blocks do the parameter files hold?
class SweepFailure : public ::testing::Test {
protected:
    int run(const std::string& lines, const std::string& net, const char* sweep = "1E6 1E6 2\n",
            int s_report_mode = 2) {
        dir.write_inputs("0 0\n1E6\n0\n0\n0 0 0 0 0\n1 1 " + std::to_string(s_report_mode) + " 0 0\n", sweep,
                         lines, net);
        return solver::run_mtlnet(dir.path(), diagnostics);
    }
    // Blocks in SPAR.DAT, ZPAR.DAT and YPAR.DAT.
    std::array<int, 3> blocks() {
        std::array<int, 3> counts{};
        const char* files[3] = {"SPAR.DAT", "ZPAR.DAT", "YPAR.DAT"};
        for (int i = 0; i < 3; ++i)
            counts[i] = static_cast<int>(solver_test::read_parameter_file((dir.path() / files[i]).string()).size());
        return counts;
    }
    std::string tail() {
        std::string r = dir.read("VDANOUT.DAT");
        return r.substr(r.size() > 200 ? r.size() - 200 : 0);
    }
    TestDirectory dir;
    std::ostringstream diagnostics;
};

TEST_F(SweepFailure, SingularInductanceLeavesEmptyFiles) {
    EXPECT_EQ(run("1\n1\n0\n1E-10\n0\n0\n1\n", "2\n1\n1\n6 50 1\n1\n1 50 0\n"), 1);
    EXPECT_NE(tail().find("\n\n SINGULAR PARAMETERS FOR TRANSMISSION LINE 1\n EXECUTION TERMINATED\n"),
              std::string::npos);
    EXPECT_TRUE(dir.exists("SPAR.DAT"));
    EXPECT_EQ(blocks(), (std::array<int, 3>{0, 0, 0}));
}

TEST_F(SweepFailure, ResultsBeyondTheRangeOfTheArithmeticStopTheSweep) {
    // A lossy line of negative length amplifies by exp(1E30): nothing finite
    // can go into the files.
    EXPECT_EQ(run("1\n1\n1E-7\n1E-10\n1\n0\n-1E30\n", "2\n1\n1\n6 50 1\n1\n1 50 0\n"), 1);
    EXPECT_NE(tail().find("\n\n SYSTEM OF NODAL EQUATIONS SINGULAR\n EXECUTION TERMINATED\n"), std::string::npos);
    EXPECT_EQ(blocks(), (std::array<int, 3>{0, 0, 0}));
    // An inductance per metre of 1E38 overflows in the line's modes.
    EXPECT_EQ(run("1\n1\n1E38\n1E-10\n0\n0\n1\n", "2\n1\n1\n6 50 1\n1\n1 50 0\n"), 1);
    EXPECT_NE(tail().find("\n\n EIGENVALUES FOR TRANSMISSION LINE 1 COULD NOT BE COMPUTED\n EXECUTION TERMINATED\n"),
              std::string::npos);
    EXPECT_EQ(blocks(), (std::array<int, 3>{0, 0, 0}));
}

TEST_F(SweepFailure, SingularIMinusSKeepsOnlyTheScatteringBlock) {
    // A 1 mOhm port on an open node reflects exactly +1: I - S is singular.
    EXPECT_EQ(run("0\n", "2\n2\n1\n6 1E-3 1\n1\n6 1E30 2\n"), 1);
    EXPECT_NE(tail().find("\n\n ERROR EVALUATING Z PARAMETERS\n EXECUTION TERMINATED\n"), std::string::npos);
    EXPECT_EQ(blocks(), (std::array<int, 3>{1, 0, 0}));
}

TEST_F(SweepFailure, APointThatStopsAfterSShowsTheLevelsOfS) {
    // Port 1 reflects +1, port 2 -1: I - S is singular.
    const std::string net = "2\n2\n1\n6 1E-3 1\n1\n6 1E30 2\n";
    EXPECT_EQ(run("0\n", net, "1E6 1E6 2\n", 4), 1);
    EXPECT_NE(dir.read("VDANOUT.DAT")
                  .find("    0.00 dB (   0.00\xF8)  -400.00 dB (   0.00\xF8) \n"
                        " -400.00 dB (   0.00\xF8)     0.00 dB ( 180.00\xF8) \n\n\n ERROR EVALUATING Z"),
              std::string::npos);
    EXPECT_EQ(run("0\n", net, "1E6 1E6 2\n", 2), 1);
    EXPECT_NE(dir.read("VDANOUT.DAT")
                  .find(" ( 1.00E+00, 0.00E+00) (   0.00 dB)  ( 0.00E+00, 0.00E+00) (-400.00 dB) \n"
                        " ( 0.00E+00, 0.00E+00) (-400.00 dB)  (-1.00E+00, 0.00E+00) (   0.00 dB) \n\n\n"),
              std::string::npos);
}

TEST_F(SweepFailure, SingularZKeepsScatteringAndImpedanceBlocks) {
    // A port shorted by a tiny resistor reflects exactly -1: Z is zero.
    EXPECT_EQ(run("0\n", "1\n1\n2\n6 50 1\n1 1E-18 0\n"), 1);
    EXPECT_NE(tail().find("\n\n ERROR EVALUATING Y PARAMETERS\n EXECUTION TERMINATED\n"), std::string::npos);
    EXPECT_EQ(blocks(), (std::array<int, 3>{1, 1, 0}));
}

TEST_F(SweepFailure, UncreatableParameterFilesStopTheRunBeforeTheSweep) {
    std::filesystem::create_directory(dir.path() / "SPAR.DAT");  // a folder in the file's place
    EXPECT_EQ(run("0\n", "1\n1\n2\n6 50 1\n1 50 0\n"), 1);
    std::string r = dir.read("VDANOUT.DAT");
    EXPECT_NE(r.find("\n\n ERROR CREATING PARAMETER FILES\n EXECUTION TERMINATED\n"), std::string::npos);
    EXPECT_EQ(r.find(" FREQUENCY"), std::string::npos);
    EXPECT_NE(diagnostics.str().find("SPAR.DAT"), std::string::npos);
}

TEST_F(SweepFailure, CompleteSweepExitsWithZeroAndOneBlockPerFrequency) {
    EXPECT_EQ(run("0\n", "1\n1\n2\n6 50 1\n1 50 0\n"), 0);
    EXPECT_EQ(blocks(), (std::array<int, 3>{3, 3, 3}));
    EXPECT_EQ(count_lines(dir.read("SPAR.DAT")), 12);
}

}  // namespace
