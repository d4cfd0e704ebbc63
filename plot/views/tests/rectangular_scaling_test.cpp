#include "rectangular_scaling.h"

#include <gtest/gtest.h>

namespace {

TEST(RectangularScaling, OneToTwoGigahertzGivesTenDivisionsInGHz) {
    AxisScaling a = scale_axis(1e9f, 2e9f);
    EXPECT_FLOAT_EQ(a.division, 1e8f);
    EXPECT_EQ(a.division_count, 10);
    EXPECT_FLOAT_EQ(a.min, 1e9f);
    EXPECT_FLOAT_EQ(a.max, 2e9f);
    EXPECT_EQ(a.prefix, 'G');
    EXPECT_FLOAT_EQ(a.scale, 1e9f);
}

TEST(RectangularScaling, PhaseRangeSnapsToWholeDivisionsOfFifty) {
    AxisScaling a = scale_axis(-170.0f, 175.0f);
    EXPECT_FLOAT_EQ(a.division, 50.0f);
    EXPECT_FLOAT_EQ(a.min, -200.0f);
    EXPECT_FLOAT_EQ(a.max, 200.0f);
    EXPECT_EQ(a.division_count, 8);
    EXPECT_EQ(a.prefix, ' ');
}

TEST(RectangularScaling, ASnappedRangeCanSelectACoarserDivisionWhenDrawnAgain) {
    AxisScaling first = scale_axis(0.03f, 1.52f);
    EXPECT_FLOAT_EQ(first.min, 0.0f);
    EXPECT_FLOAT_EQ(first.max, 1.6f);
    EXPECT_FLOAT_EQ(first.division, 0.1f);
    EXPECT_EQ(first.division_count, 16);
    AxisScaling second = scale_axis(first.min, first.max);
    EXPECT_FLOAT_EQ(second.min, 0.0f);
    EXPECT_FLOAT_EQ(second.max, 1.6f);
    EXPECT_FLOAT_EQ(second.division, 0.2f);
    EXPECT_EQ(second.division_count, 8);
    AxisScaling third = scale_axis(second.min, second.max);
    EXPECT_EQ(third.division_count, 8);
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
    AxisScaling a = scale_axis(-999.9f, -2.8f);
    EXPECT_FLOAT_EQ(a.division, 100.0f);
    EXPECT_FLOAT_EQ(a.min, -1000.0f);
    EXPECT_FLOAT_EQ(a.max, 0.0f);
    EXPECT_EQ(a.division_count, 10);
}

TEST(RectangularScaling, ARangeUnderOnePercentIsWidenedBelowItsMaximum) {
    AxisScaling a = scale_axis(0.9995f, 1.0f);
    EXPECT_FLOAT_EQ(a.division, 0.001f);
    EXPECT_NEAR(a.min, 0.99f, 1e-6);
    EXPECT_NEAR(a.max, 1.0f, 1e-6);
    EXPECT_EQ(a.division_count, 10);
    // Negative values: the maximum moves up to 0.99 times the minimum.
    AxisScaling b = scale_axis(-100.0f, -99.9f);
    EXPECT_NEAR(b.min, -100.0f, 1e-4);
    EXPECT_NEAR(b.max, -99.0f, 1e-4);
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
