// Warnings about suspicious input: each fires on its case, names the place
// and stays silent on sound input; the report does not change.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "input_stages.h"
#include "line_plausibility.h"
#include "stage_fixture.h"

namespace solver {
namespace {

using solver_test::StageTest;

// "FILE:LINE: text" of every warning, one per line.
std::string joined(const InputWarnings& warnings) {
    std::string text;
    for (const std::string& w : warnings.all()) text += w + "\n";
    return text;
}

class InputWarningsTest : public StageTest {
protected:
    void SetUp() override {
        StageTest::SetUp();
        run->options.reference_frequency = 1.0e9f;
        run->options.suppress_input_echo = 1;
        run->sweep.start_frequency = 1.0e6f;
        run->sweep.frequency_step = 1.0e6f;
        run->sweep.step_count = 9;
    }
    // Runs one stage on `content` as its file from a fresh start; returns the
    // warnings.
    std::string warnings_of(void (*stage)(SolverRun&, int&), const char* file, const std::string& content) {
        restart();
        run->options.reference_frequency = 1.0e9f;
        run->options.suppress_input_echo = 1;
        dir.write(file, content);
        stage(*run, error_flag);
        EXPECT_EQ(error_flag, 0) << content;
        return joined(run->warnings);
    }
    std::string line_warnings(const std::string& lines) {
        return warnings_of(read_transmission_lines, "LININP.DAT", lines);
    }
};

struct Case {
    const char* content;
    const char* expected;  // the whole warning text, or "" for none
};

TEST_F(InputWarningsTest, NumbersLeftOnTheLineOfAReadButNotComments) {
    const Case cases[] = {
        {"1,0E4 1,0E4 9999\n", "FRQINP.DAT:1: the rest of line 1, `0E4 9999`, was not read; a decimal comma?\n"},
        {"1E6 1E6 9 10\n", "FRQINP.DAT:1: the rest of line 1, `10`, was not read; more values than the read takes?\n"},
        {"1E6 1E6 9,\n", ""},
        {"1.0E7 1.0E7 299     start 10 MHz, 300 points\n", ""},
        {"1E6\n1E6 9   300 points up to 3 GHz\n", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(warnings_of(read_frequency_sweep, "FRQINP.DAT", c.content), c.expected);
    // A decimal comma with a comment after it; the last read of a file counts too.
    EXPECT_EQ(line_warnings("0\n"), "");
    EXPECT_EQ(line_warnings("1\n1\n2.5E-7\n1E-10\n0\n0\n2,5   length in m\n"),
              "LININP.DAT:7: the rest of line 7, `5 ...`, was not read; a decimal comma?\n");
}

TEST_F(InputWarningsTest, SweepWrittenAsStartStopPoints) {
    EXPECT_EQ(warnings_of(read_frequency_sweep, "FRQINP.DAT", "1E4 1E8 401\n"),
              "FRQINP.DAT:1: the frequency step 1.000E+08 Hz is more than 1000 times the start frequency 1.000E+04 "
              "Hz, so the sweep ends at 4.010E+10 Hz; the values are start, step and number of steps (a start, stop, "
              "points mix-up?)\n");
    for (const char* sound : {"1E4 1E7 401\n", "0 1E8 401\n", "1 1E8 0\n", "1E6 1E6 9\n"})
        EXPECT_EQ(warnings_of(read_frequency_sweep, "FRQINP.DAT", sound), "") << sound;
}

TEST_F(InputWarningsTest, EachImplausibleLineMatrixAndLength) {
    const std::string head = "1\n2\n";
    const std::string l = "3.2E-7 0.6E-7\n0.6E-7 3.2E-7\n", c = "1.3E-10 -0.2E-10\n-0.2E-10 1.3E-10\n";
    const std::string rg = "0 0 0 0\n0 0 0 0\n";
    EXPECT_EQ(line_warnings(head + l + c + rg + "0.1\n"), "");
    EXPECT_EQ(line_warnings(head + "0.32 0.06\n0.06 0.32\n" + "130 -20\n-20 130\n" + rg + "0.1\n"),
              "LININP.DAT:3: the modes of transmission line 1 travel at 1.547E-01 to 1.601E-01 m/s (lossless, from "
              "[L][C]), outside 1E+06 to 3.1E+08 m/s; are [L] and [C] in H/m and F/m?\n");
    EXPECT_EQ(line_warnings(head + "3.2E-7 0.6E-7\n0.06E-7 3.2E-7\n" + c + rg + "0.1\n"),
              "LININP.DAT:4: L(1,2) = 6.000E-08 (line 3) and L(2,1) = 6.000E-09 (line 4) of transmission line 1 "
              "differ by more than 1 %; both are used as their mean\n");
    EXPECT_EQ(line_warnings(head + l + "1.3E-10 0.2E-10\n0.2E-10 1.3E-10\n" + rg + "0.1\n"),
              "LININP.DAT:5: C(1,2) = 2.000E-11 of transmission line 1 is positive; the coupling entries of [C] are "
              "negative or 0\n");
    EXPECT_EQ(line_warnings(head + "3.2E-7 4E-7\n4E-7 3.2E-7\n" + c + rg + "0.1\n"),
              "LININP.DAT:3: [L] of transmission line 1 is not positive definite, as the matrix of a real line is\n");
    EXPECT_EQ(line_warnings(head + l + "1.3E-10 -0.2E-10\n-0.2E-10 -1.3E-10\n" + rg + "0.1\n"),
              "LININP.DAT:5: [C] of transmission line 1 is not positive definite, as the matrix of a real line is\n");
    for (const char* length : {"0\n", "-0.5\n"})
        EXPECT_NE(line_warnings(head + l + c + rg + length)
                      .find("LININP.DAT:9: transmission line 1 has the length "),
                  std::string::npos)
            << length;
    // Unsymmetric [R]: several pairs, the worst named; 1 % apart is still symmetric enough.
    EXPECT_EQ(line_warnings("1\n3\n" + std::string("1E-7 0 0\n0 1E-7 0\n0 0 1E-7\n") + "2E-10 0 0\n0 2E-10 0\n0 0 2E-10\n" +
                            "1 0.5 0.2\n0.6 1 0.3\n0.1 0.3 1\n" + "0 0 0\n0 0 0\n0 0 0.00\n" + "1\n"),
              "LININP.DAT:11: R(1,3) = 2.000E-01 (line 9) and R(3,1) = 1.000E-01 (line 11) of transmission line 1 "
              "differ by more than 1 %; both are used as their mean (2 such pairs in [R])\n");
    EXPECT_EQ(line_warnings("1\n2\n1E-7 1E-8\n1.0099E-8 1E-7\n" + c + rg + "1\n"), "");
}

TEST_F(InputWarningsTest, ElementListedAtBothOfItsNodes) {
    const std::string start = "3\n1\n2\n6 50 1\n1 100 2\n";
    EXPECT_EQ(warnings_of(read_network, "NETINP.DAT", start + "1\n1 100 1\n1\n3 1E-12 0\n"),
              "NETINP.DAT:7: the resistor of 1.000E+02 ohm between nodes 1 and 2 is listed at both nodes (also at "
              "line 5), so it is entered twice; list an element at one of its nodes\n");
    // Another value, another code or another node pair is another element.
    for (const char* rest : {"1\n1 101 1\n1\n3 1E-12 0\n", "1\n2 100 1\n1\n3 1E-12 0\n", "1\n1 100 3\n1\n1 100 0\n"})
        EXPECT_EQ(warnings_of(read_network, "NETINP.DAT", start + rest), "") << rest;
}

TEST_F(InputWarningsTest, ByteOrderMarkIsSkipped) {
    EXPECT_EQ(warnings_of(read_frequency_sweep, "FRQINP.DAT", "\xEF\xBB\xBF" "2E6 1E5 20\n"), "");
    EXPECT_EQ(run->sweep.start_frequency, 2.0e6f);
    EXPECT_EQ(run->sweep.step_count, 20);
}

TEST(LinePlausibility, LosslessSpeedOfKnownLines) {
    LineMatrix l = {}, c = {};
    l[0][0] = 2.5e-7f;
    c[0][0] = 1.0e-10f;
    auto speed = lossless_speed_range(l, c, 1);
    ASSERT_TRUE(speed);
    EXPECT_NEAR(speed->slowest, 2.0e8, 2.0e8 * 1e-6);
    // Two uncoupled wires of different speeds; then a coupled pair whose even
    // and odd modes travel at the same speed.
    l[1][1] = 2.5e-7f;
    c[1][1] = 0.25e-10f;
    speed = lossless_speed_range(l, c, 2);
    ASSERT_TRUE(speed);
    EXPECT_NEAR(speed->slowest, 2.0e8, 2.0e2);
    EXPECT_NEAR(speed->fastest, 4.0e8, 4.0e2);
    l[0][0] = l[1][1] = 3.0e-7f;
    l[0][1] = l[1][0] = 1.0e-7f;  // eigenvalues 4e-7 (even), 2e-7 (odd)
    c[0][0] = c[1][1] = 1.5e-10f;
    c[0][1] = c[1][0] = -0.5e-10f;  // 1e-10 (even), 2e-10 (odd)
    speed = lossless_speed_range(l, c, 2);
    ASSERT_TRUE(speed);
    EXPECT_NEAR(speed->slowest, 1.0 / std::sqrt(4e-17), 1e2);
    EXPECT_NEAR(speed->fastest, 1.0 / std::sqrt(4e-17), 1e2);
    c[1][1] = -1.0f;
    EXPECT_FALSE(lossless_speed_range(l, c, 2));
}

// The quick answer is yes only where the eigenvalues' speeds are inside,
// and no near a bound: random coupled lines against lossless_speed_range,
// with bounds around their speeds.
TEST(LinePlausibility, SpeedsWithinBoundsOnlyWhereTheEigenvaluesSaySo) {
    std::mt19937 random(5);
    std::uniform_real_distribution<double> coupling(-0.3, 0.3);
    for (int trial = 0; trial < 40; ++trial) {
        const int n = 1 + trial % 8;
        LineMatrix l = {}, c = {};
        for (int i = 0; i < n; ++i)
            for (int j = 0; j <= i; ++j) {
                l[i][j] = l[j][i] = static_cast<float>(i == j ? 3e-7 : 3e-7 * coupling(random) / n);
                c[i][j] = c[j][i] = static_cast<float>(i == j ? 1.2e-10 : -1.2e-10 * std::abs(coupling(random)) / n);
            }
        const auto speed = lossless_speed_range(l, c, n);
        ASSERT_TRUE(speed);
        EXPECT_TRUE(lossless_speeds_within(l, c, n, 0.99 * speed->slowest, 1.01 * speed->fastest)) << trial;
        EXPECT_FALSE(lossless_speeds_within(l, c, n, speed->slowest * (1 + 1e-9), 2 * speed->fastest)) << trial;
        EXPECT_FALSE(lossless_speeds_within(l, c, n, 0.5 * speed->slowest, speed->fastest * (1 - 1e-9))) << trial;
        EXPECT_FALSE(lossless_speeds_within(l, c, n, speed->slowest, 2 * speed->fastest)) << trial;
    }
    LineMatrix l = {}, c = {};
    l[0][0] = 2.5e-7f;
    c[0][0] = -1.0e-10f;
    EXPECT_FALSE(lossless_speeds_within(l, c, 1, 1.0, 1e10));
}

}  // namespace
}  // namespace solver
