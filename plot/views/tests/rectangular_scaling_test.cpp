#include "rectangular_scaling.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// The snapped range and its divisions, each float within about one part in
// a million.
::testing::AssertionResult spans(const AxisScaling& a, float min, float max, float division,
                                 int count) {
    const auto near = [](float got, float want) {
        return std::fabs(got - want) <= 1e-6f * std::fmax(std::fabs(got), std::fabs(want));
    };
    if (near(a.min, min) && near(a.max, max) && near(a.division, division) &&
        a.division_count == count)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << a.min << " to " << a.max << " in " << a.division_count << " divisions of "
           << a.division;
}

TEST(RectangularScaling, OneToTwoGigahertzGivesTenDivisionsInGHz) {
    AxisScaling a = scale_axis(1e9f, 2e9f);
    EXPECT_TRUE(spans(a, 1e9f, 2e9f, 1e8f, 10));
    EXPECT_EQ(a.prefix, 'G');
    EXPECT_FLOAT_EQ(a.scale, 1e9f);
}

TEST(RectangularScaling, PhaseRangeSnapsToWholeDivisionsOfFifty) {
    AxisScaling a = scale_axis(-170.0f, 175.0f);
    EXPECT_TRUE(spans(a, -200.0f, 200.0f, 50.0f, 8));
    EXPECT_EQ(a.prefix, ' ');
}

TEST(RectangularScaling, ASnappedRangeCanSelectACoarserDivisionWhenDrawnAgain) {
    AxisScaling first = scale_axis(0.03f, 1.52f);
    EXPECT_TRUE(spans(first, 0.0f, 1.6f, 0.1f, 16));
    AxisScaling second = scale_axis(first.min, first.max);
    EXPECT_TRUE(spans(second, 0.0f, 1.6f, 0.2f, 8));
    EXPECT_TRUE(spans(scale_axis(second.min, second.max), 0.0f, 1.6f, 0.2f, 8));
}

TEST(RectangularScaling, LimitsWithinTwoPercentOfADivisionGoBackToTheGridLine) {
    // Division 0.1: 1 % of a division beyond a line snaps back, 3 % moves out.
    EXPECT_FLOAT_EQ(scale_axis(0.0f, 1.001f).max, 1.0f);
    EXPECT_FLOAT_EQ(scale_axis(0.0f, 1.003f).max, 1.1f);
    EXPECT_FLOAT_EQ(scale_axis(-0.001f, 1.0f).min, 0.0f);
    EXPECT_FLOAT_EQ(scale_axis(-0.003f, 1.0f).min, -0.1f);
    EXPECT_FLOAT_EQ(scale_axis(0.101f, 1.0f).min, 0.1f);
    EXPECT_FLOAT_EQ(scale_axis(0.103f, 1.0f).min, 0.1f);
    EXPECT_FLOAT_EQ(scale_axis(0.097f, 1.0f).min, 0.0f);
    EXPECT_FLOAT_EQ(scale_axis(-1.0f, -0.099f).max, -0.1f);
    EXPECT_FLOAT_EQ(scale_axis(-1.0f, -0.097f).max, 0.0f);
}

TEST(RectangularScaling, AZeroMagnitudeInDecibelsStretchesTheAxisToMinusOneThousand) {
    EXPECT_TRUE(spans(scale_axis(-999.9f, -2.8f), -1000.0f, 0.0f, 100.0f, 10));
}

TEST(RectangularScaling, ARangeUnderOnePercentIsWidenedBelowItsMaximum) {
    EXPECT_TRUE(spans(scale_axis(0.9995f, 1.0f), 0.99f, 1.0f, 0.001f, 10));
    // Negative values: the maximum moves up to 0.99 times the minimum.
    EXPECT_TRUE(spans(scale_axis(-100.0f, -99.9f), -100.0f, -99.0f, 0.1f, 10));
}

TEST(RectangularScaling, DegenerateRangesStayDrawable) {
    AxisScaling zero = scale_axis(0.0f, 0.0f);
    EXPECT_LT(zero.min, zero.max);
    EXPECT_GE(zero.division_count, 1);
    AxisScaling huge = scale_axis(-3e38f, 3e38f);
    EXPECT_GE(huge.division_count, 1);
    EXPECT_LE(huge.division_count, 1000);
}

}  // namespace
