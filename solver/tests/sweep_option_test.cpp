// The frequency sweep given on the command line: logarithmic points against
// their closed form, the echo, and the checks of the option's text.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "input_stages.h"
#include "stage_fixture.h"
#include "sweep_option.h"
#include "sweep_points.h"

namespace solver {
namespace {

using solver_test::StageTest;

FrequencySweep parsed(const std::string& text) {
    std::string error;
    const auto sweep = parse_sweep_option(text, error);
    EXPECT_TRUE(sweep.has_value()) << text << ": " << error;
    return sweep.value_or(FrequencySweep{});
}

TEST(LogarithmicSweep, PointsMatchTheClosedFormToTheRoundingOf32Bits) {
    struct Case {
        float start, stop;
        int points;
    };
    for (const Case c : {Case{1e4f, 1e8f, 401}, Case{1.0f, 1e9f, 10000}, Case{1.5e6f, 1.6e6f, 2},
                         Case{3.3e3f, 7.1e9f, 77}}) {
        const FrequencySweep sweep = logarithmic_sweep(c.start, c.stop, c.points);
        ASSERT_EQ(sweep.step_count, c.points - 1);
        EXPECT_EQ(sweep.frequency(0), c.start);
        EXPECT_EQ(sweep.last_frequency(), c.stop);
        const long double ratio = static_cast<long double>(c.stop) / c.start;
        float previous = 0;
        for (int i = 0; i <= sweep.step_count; ++i) {
            const long double exact =
                c.start * std::pow(ratio, static_cast<long double>(i) / sweep.step_count);
            const float f = sweep.frequency(i);
            // Within half a unit in the last place of the 32-bit result.
            const long double half_ulp =
                (std::nextafter(f, INFINITY) - static_cast<long double>(f)) / 2 * (1 + 1e-6L);
            ASSERT_LE(std::fabs(f - exact), half_ulp) << c.start << ".." << c.stop << " point " << i;
            ASSERT_GT(f, previous) << "point " << i;
            previous = f;
        }
    }
}

TEST(LogarithmicSweep, EveryDecadeHoldsTheSameNumberOfPoints) {
    const FrequencySweep sweep = logarithmic_sweep(1e4f, 1e8f, 401);
    EXPECT_DOUBLE_EQ(points_per_decade(sweep), 100.0);
    EXPECT_EQ(sweep.frequency(100), 1e5f);
    EXPECT_EQ(sweep.frequency(200), 1e6f);
    EXPECT_EQ(sweep.frequency(300), 1e7f);
}

// The fields of a parsed sweep: its spacing, start and step count, and the
// step of a linear sweep or the stop of a logarithmic one.
void expect_sweep(const std::string& text, SweepSpacing spacing, float start, float step_or_stop, int steps) {
    SCOPED_TRACE(text);
    const FrequencySweep sweep = parsed(text);
    EXPECT_EQ(sweep.spacing, spacing);
    EXPECT_EQ(sweep.start_frequency, start);
    EXPECT_EQ(spacing == SweepSpacing::LINEAR ? sweep.frequency_step : sweep.stop_frequency, step_or_stop);
    EXPECT_EQ(sweep.step_count, steps);
}

TEST(SweepOption, LinearFormMeansWhatFrqinpMeans) {
    expect_sweep("lin:-2E6:1e5:-20", SweepSpacing::LINEAR, 2.0e6f, 1.0e5f, 20);
    EXPECT_EQ(parsed("lin:0:0:5").start_frequency, 1.0e6f);
    EXPECT_EQ(parsed("lin:0:0:5").step_count, 0);
    EXPECT_EQ(parsed("lin:1e6:1e3:12000").step_count, 9999);
    EXPECT_EQ(parsed("lin:1e6:1e3:-9223372036854775808").step_count, 9999);
}

TEST(SweepOption, LogarithmicFormKeepsItsLimits) {
    expect_sweep("log:1e4:+1.0E8:401", SweepSpacing::LOGARITHMIC, 1e4f, 1e8f, 400);
    EXPECT_EQ(parsed("log:1:2:2").step_count, 1);
    EXPECT_EQ(parsed("log:1:2:10000").step_count, 9999);
}

TEST(SweepOption, BadTextIsRejectedWithTheReason) {
    struct Case {
        const char* text;
        const char* error;
    };
    const Case cases[] = {
        {"", "expected log:START:STOP:POINTS or lin:START:STEP:STEPS, found \"\""},
        {"log:1e4:1e8", "expected log:START:STOP:POINTS or lin:START:STEP:STEPS, found \"log:1e4:1e8\""},
        {"log:1e4:1e8:10:3", "expected log:START:STOP:POINTS or lin:START:STEP:STEPS"},
        {"exp:1:2:3", "expected log:START:STOP:POINTS or lin:START:STEP:STEPS"},
        {"LOG:1:2:3", "expected log:START:STOP:POINTS or lin:START:STEP:STEPS"},
        {"log:1e8:1e4:10", "expected STOP greater than START, found \"1e4\""},
        {"log:1e4:1e4:10", "expected STOP greater than START"},
        {"log:0:1e4:10", "expected START greater than 0, found \"0\""},
        {"log:-1:1e4:10", "expected START greater than 0"},
        {"log:1e4:1e8:1", "expected POINTS from 2 to 10000, found \"1\""},
        {"log:1e4:1e8:10001", "expected POINTS from 2 to 10000, found \"10001\""},
        {"log:1e4:1e8:-5", "expected POINTS from 2 to 10000"},
        {"log:1e4:1e8:abc", "expected a whole number for POINTS, found \"abc\""},
        {"log:1e4:1e8:10.5", "expected a whole number for POINTS, found \"10.5\""},
        {"log:1e4:1e8:", "expected a whole number for POINTS, found \"\""},
        {"log:1e4:x:10", "expected a number for STOP, found \"x\""},
        {"log::1e8:10", "expected a number for START, found \"\""},
        {"log:10k:1e8:10", "expected a number for START, found \"10k\""},
        {"log: 1e4:1e8:10", "expected a number for START"},
        {"log:nan:1e8:10", "expected a number for START, found \"nan\""},
        {"log:1e4:inf:10", "expected a number for STOP"},
        {"log:1e4:1e39:10", "expected a number for STOP"},  // beyond 32-bit reals
        {"lin:1e6:1e6:x", "expected a whole number for STEPS, found \"x\""},
        {"lin:1e6:y:9", "expected a number for STEP, found \"y\""},
        {"lin:3e38:3e38:9", "expected a sweep whose last angular frequency (2 pi f) is finite in 32 bits"},
        {"log:1:1e38:9", "expected a sweep whose last angular frequency (2 pi f) is finite in 32 bits"},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(parse_sweep_option(c.text, error).has_value()) << c.text;
        EXPECT_EQ(error.substr(0, std::string(c.error).size()), c.error) << c.text;
    }
}

class GivenSweepTest : public StageTest {};

TEST_F(GivenSweepTest, LogarithmicEchoShowsTheSweepAsUnderstood) {
    use_given_frequency_sweep(*run, parsed("log:1e4:1e8:401"));
    EXPECT_EQ(report(),
              "\n\n"
              " LOGARITHMIC SWEEP, EQUAL STEPS IN LOG10 OF THE FREQUENCY\n"
              " STARTING FREQUENCY 1.000E+04 Hz\n"
              " FINAL FREQUENCY 1.000E+08 Hz\n"
              " NUMBER OF FREQUENCY STEPS  400\n"
              " POINTS PER DECADE    100.00\n"
              "\n\n");
    EXPECT_EQ(run->sweep.frequency(200), 1e6f);
}

TEST_F(GivenSweepTest, LinearEchoIsTheFileEcho) {
    dir.write("FRQINP.DAT", "1.0E6 1.0E6 9\n");
    read_frequency_sweep(*run, error_flag);
    ASSERT_EQ(error_flag, 0);
    const std::string file_echo = report();
    restart();
    use_given_frequency_sweep(*run, parsed("lin:1.0E6:1.0E6:9"));
    EXPECT_EQ(report(), file_echo);
}

TEST_F(GivenSweepTest, SuppressedEchoWritesNothing) {
    run->options.suppress_input_echo = 1;
    use_given_frequency_sweep(*run, parsed("log:1:10:3"));
    EXPECT_EQ(report(), "");
    EXPECT_EQ(run->sweep.step_count, 2);
}

}  // namespace
}  // namespace solver
