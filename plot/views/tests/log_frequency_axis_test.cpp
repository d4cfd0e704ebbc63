// Layout of the logarithmic frequency axis: snapped limits, grid lines and
// the numbers that fit, for ranges inside one decade, across one to nine
// decades and with limits off the decades.
#include "log_frequency_axis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

constexpr int COLUMNS = 56;  // the screen diagram's width in text columns

// Each value within one part in a million of the expected one.
::testing::AssertionResult values_are(const std::vector<float>& got, const std::vector<double>& want) {
    bool same = got.size() == want.size();
    for (std::size_t i = 0; same && i < got.size(); ++i)
        same = std::fabs(got[i] - want[i]) <= 1e-6 * want[i];
    if (same) return ::testing::AssertionSuccess();
    auto failure = ::testing::AssertionFailure() << "got";
    for (float v : got) failure << ' ' << v;
    return failure;
}

TEST(LogFrequencyAxis, LimitsSnapToOneTwoFiveStepsWithOnePercentGrace) {
    EXPECT_FLOAT_EQ(log_step_at_or_below(3.7e6f), 2e6f);
    EXPECT_FLOAT_EQ(log_step_at_or_below(1.9e6f), 1e6f);
    EXPECT_FLOAT_EQ(log_step_at_or_below(7e-3f), 5e-3f);
    EXPECT_FLOAT_EQ(log_step_at_or_below(0.995e4f), 1e4f);  // within 1 % below a step
    EXPECT_FLOAT_EQ(log_step_at_or_below(0.98e4f), 5e3f);
    EXPECT_FLOAT_EQ(log_step_at_or_above(3.7e6f), 5e6f);
    EXPECT_FLOAT_EQ(log_step_at_or_above(5.1e6f), 1e7f);
    EXPECT_FLOAT_EQ(log_step_at_or_above(1.005e8f), 1e8f);
    EXPECT_FLOAT_EQ(log_step_at_or_above(1e8f), 1e8f);
    EXPECT_FLOAT_EQ(log_step_at_or_above(1.2e-9f), 2e-9f);
}

TEST(LogFrequencyAxis, RangeInsideOneDecade) {
    const LogFrequencyAxis a = layout_log_axis(1.2e6f, 3.7e6f, COLUMNS);
    EXPECT_FLOAT_EQ(a.min, 1e6f);
    EXPECT_FLOAT_EQ(a.max, 5e6f);
    EXPECT_EQ(a.prefix, 'M');
    EXPECT_FLOAT_EQ(a.scale, 1e6f);
    EXPECT_TRUE(a.decades.empty());
    EXPECT_TRUE(values_are(a.minors, {2e6, 3e6, 4e6}));
    EXPECT_TRUE(values_are(a.labels, {2e6, 3e6}));  // 4 MHz would touch the upper limit's number

    // Under half a decade the minor lines step by tenths of the decade.
    const LogFrequencyAxis narrow = layout_log_axis(1.05e9f, 1.95e9f, COLUMNS);
    EXPECT_FLOAT_EQ(narrow.min, 1e9f);
    EXPECT_FLOAT_EQ(narrow.max, 2e9f);
    EXPECT_TRUE(values_are(narrow.minors, {1.1e9, 1.2e9, 1.3e9, 1.4e9, 1.5e9, 1.6e9, 1.7e9, 1.8e9, 1.9e9}));
    EXPECT_FALSE(narrow.labels.empty());
}

TEST(LogFrequencyAxis, OneDecadeNumbersTheTwoAndFiveMultiplesFirst) {
    const LogFrequencyAxis a = layout_log_axis(1e6f, 1e7f, COLUMNS);
    EXPECT_FLOAT_EQ(a.min, 1e6f);
    EXPECT_FLOAT_EQ(a.max, 1e7f);
    EXPECT_TRUE(a.decades.empty());
    EXPECT_TRUE(values_are(a.minors, {2e6, 3e6, 4e6, 5e6, 6e6, 7e6, 8e6, 9e6}));
    // 4, 6, 7, 8 and 9 MHz would touch a neighbour or the upper limit's number.
    EXPECT_TRUE(values_are(a.labels, {2e6, 3e6, 5e6}));
}

TEST(LogFrequencyAxis, FourDecadesOfTheCrosstalkSweep) {
    const LogFrequencyAxis a = layout_log_axis(1e4f, 1e8f, COLUMNS);
    EXPECT_FLOAT_EQ(a.min, 1e4f);
    EXPECT_FLOAT_EQ(a.max, 1e8f);
    EXPECT_EQ(a.prefix, 'M');
    EXPECT_TRUE(values_are(a.decades, {1e5, 1e6, 1e7}));
    EXPECT_EQ(a.minors.size(), 4u * 8u);
    EXPECT_TRUE(values_are(a.labels, {1e5, 1e6, 1e7}));  // decades only over two decades and more
    EXPECT_NEAR(a.fraction(1e6f), 0.5, 1e-12);
    EXPECT_NEAR(a.fraction(3.16227766e4f), 0.125, 1e-7);
}

TEST(LogFrequencyAxis, NineDecadesNumberEveryDecadeThatFits) {
    const LogFrequencyAxis a = layout_log_axis(1.0f, 1e9f, COLUMNS);
    EXPECT_FLOAT_EQ(a.min, 1.0f);
    EXPECT_FLOAT_EQ(a.max, 1e9f);
    EXPECT_EQ(a.prefix, 'G');
    EXPECT_EQ(a.decades.size(), 8u);
    EXPECT_EQ(a.minors.size(), 9u * 8u);
    // Six columns per decade: every second decade is numbered, counted from
    // 1 Hz, except 100 MHz, which would touch the upper limit's number.
    EXPECT_TRUE(values_are(a.labels, {1e2, 1e4, 1e6}));
    // Nine columns per decade: every decade up to 10 MHz.
    const LogFrequencyAxis wide = layout_log_axis(1.0f, 1e9f, 80);
    EXPECT_TRUE(values_are(wide.labels, {1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7}));
    // Three columns per decade: every third decade.
    const LogFrequencyAxis narrow = layout_log_axis(1.0f, 1e9f, 28);
    EXPECT_TRUE(values_are(narrow.labels, {1e3}));
}

TEST(LogFrequencyAxis, LimitsOffTheDecades) {
    // Within three decades the limits take the next 1-2-5 steps.
    const LogFrequencyAxis a = layout_log_axis(3e4f, 4.2e6f, COLUMNS);
    EXPECT_FLOAT_EQ(a.min, 2e4f);
    EXPECT_FLOAT_EQ(a.max, 5e6f);
    EXPECT_TRUE(values_are(a.decades, {1e5, 1e6}));
    EXPECT_FLOAT_EQ(a.minors.front(), 3e4f);
    EXPECT_FLOAT_EQ(a.minors.back(), 4e6f);
    // Wider ranges take whole decades.
    const LogFrequencyAxis wide = layout_log_axis(3e4f, 2.5e8f, COLUMNS);
    EXPECT_FLOAT_EQ(wide.min, 1e4f);
    EXPECT_FLOAT_EQ(wide.max, 1e9f);
    EXPECT_TRUE(values_are(wide.decades, {1e5, 1e6, 1e7, 1e8}));
}

TEST(LogFrequencyAxis, NumbersNeverTouchEachOtherOrTheLimits) {
    for (float min : {1.0f, 7.3f, 1e3f, 2.2e5f, 9.9e6f})
        for (float ratio : {1.3f, 3.0f, 10.0f, 47.0f, 1e3f, 3e5f, 1e9f, 1e20f})
            for (int columns : {30, 56, 80}) {
                const LogFrequencyAxis a = layout_log_axis(min, min * ratio, columns);
                std::vector<long> centres = {-2, columns - 5};  // the limits' numbers
                for (float v : a.labels) {
                    EXPECT_GT(v, a.min);
                    EXPECT_LT(v, a.max);
                    centres.push_back(log_axis_column(a, v, columns));
                }
                std::sort(centres.begin(), centres.end());
                for (std::size_t i = 1; i < centres.size(); ++i)
                    EXPECT_GE(centres[i] - centres[i - 1], LOG_LABEL_WIDTH + 1)
                        << min << " x " << ratio << " in " << columns;
            }
}

TEST(LogFrequencyAxis, UnusableLimitsStillGiveADrawableAxis) {
    const LogFrequencyAxis zero_min = layout_log_axis(0.0f, 1e9f, COLUMNS);
    EXPECT_FLOAT_EQ(zero_min.min, 1e6f);  // three decades below the upper limit
    EXPECT_FLOAT_EQ(zero_min.max, 1e9f);
    const LogFrequencyAxis equal = layout_log_axis(2e6f, 2e6f, COLUMNS);
    EXPECT_LT(equal.min, equal.max);
    const LogFrequencyAxis negative = layout_log_axis(-5.0f, -1.0f, COLUMNS);
    EXPECT_GT(negative.min, 0.0f);
    EXPECT_LT(negative.min, negative.max);
    const LogFrequencyAxis huge = layout_log_axis(1e-30f, 3e38f, COLUMNS);
    EXPECT_TRUE(std::isfinite(huge.max));
    EXPECT_TRUE(huge.minors.empty());  // decades narrower than two columns
    EXPECT_EQ(LogFrequencyAxis::coordinate(0.0), -HUGE_VAL);
}

}  // namespace
