#include "fixed_fields.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using fields::format_ew;
using fields::format_ew_wide_exponent;
using fields::format_fw;
using fields::format_iw;

TEST(IntegerField, RightAlignsAndOverflowsToAsterisks) {
    EXPECT_EQ(format_iw(16, 3), " 16");
    EXPECT_EQ(format_iw(-5, 3), " -5");
    EXPECT_EQ(format_iw(0, 1), "0");
    EXPECT_EQ(format_iw(9999, 5), " 9999");
    EXPECT_EQ(format_iw(12345, 4), "****");
    EXPECT_EQ(format_iw(-100, 3), "***");
    EXPECT_EQ(format_iw(512, 4), " 512");
}

TEST(FixedField, RoundsToNearestAndPadsLeft) {
    EXPECT_EQ(format_fw(0.5, 4, 2), "0.50");
    EXPECT_EQ(format_fw(2.0, 4, 2), "2.00");
    EXPECT_EQ(format_fw(1.005, 7, 1), "    1.0");
    EXPECT_EQ(format_fw(2.675, 7, 2), "   2.67");  // 2.675 is below the half in binary
    EXPECT_EQ(format_fw(-126.02, 7, 2), "-126.02");
    EXPECT_EQ(format_fw(179.999, 7, 2), " 180.00");
    EXPECT_EQ(format_fw(0.0, 7, 3), "  0.000");
}

TEST(FixedField, LeadingZeroOnlyWhenThereIsRoom) {
    EXPECT_EQ(format_fw(0.25, 5, 2), " 0.25");
    EXPECT_EQ(format_fw(0.25, 3, 2), ".25");
    EXPECT_EQ(format_fw(-0.25, 4, 2), "-.25");
    EXPECT_EQ(format_fw(-0.25, 5, 2), "-0.25");
    EXPECT_EQ(format_fw(0.25, 2, 2), "**");
}

TEST(FixedField, OverflowNonFiniteAndNegativeZero) {
    EXPECT_EQ(format_fw(10.0, 4, 2), "****");
    EXPECT_EQ(format_fw(-999.99, 7, 2), "-999.99");
    EXPECT_EQ(format_fw(-1000.0, 7, 2), "*******");
    EXPECT_EQ(format_fw(std::nan(""), 6, 1), "******");
    EXPECT_EQ(format_fw(std::numeric_limits<double>::infinity(), 6, 1), "******");
    EXPECT_EQ(format_fw(-0.0001, 6, 2), "  0.00");  // no minus sign when every digit is zero
    EXPECT_EQ(format_fw(1e300, 10, 3), "**********");
}

TEST(FixedField, ZeroDecimalsKeepThePoint) {
    EXPECT_EQ(format_fw(12345.4, 7, 0), " 12345.");
    EXPECT_EQ(format_fw(0.4, 4, 0), "  0.");
    EXPECT_EQ(format_fw(-32000.0, 10, 3), "-32000.000");
}

TEST(ExponentField, OneDigitBeforeThePoint) {
    EXPECT_EQ(format_ew(1e6, 10, 3), " 1.000E+06");
    EXPECT_EQ(format_ew(1e6, 15, 7), "  1.0000000E+06");
    EXPECT_EQ(format_ew(0.5, 15, 7), "  5.0000000E-01");
    EXPECT_EQ(format_ew(-0.25, 15, 7), " -2.5000000E-01");
    EXPECT_EQ(format_ew(1.592e-11, 10, 3), " 1.592E-11");
    EXPECT_EQ(format_ew(2e-7, 12, 4), "  2.0000E-07");
    EXPECT_EQ(format_ew(-5e-7, 9, 2), "-5.00E-07");
    EXPECT_EQ(format_ew(12345.0, 7, 0), " 1.E+04");
}

TEST(ExponentField, ZeroRoundingAndOverflow) {
    EXPECT_EQ(format_ew(0.0, 10, 3), " 0.000E+00");
    EXPECT_EQ(format_ew(0.0, 15, 7), "  0.0000000E+00");
    EXPECT_EQ(format_ew(-0.0, 9, 2), " 0.00E+00");
    EXPECT_EQ(format_ew(9.9996e5, 10, 3), " 1.000E+06");  // rounding carries into the exponent
    EXPECT_EQ(format_ew(-1.5e-3, 8, 2), "********");       // -1.50E-03 needs 9 columns
    EXPECT_EQ(format_ew(1e-100, 10, 3), "**********");    // three exponent digits do not fit
    EXPECT_EQ(format_ew(std::nan(""), 9, 2), "*********");
    EXPECT_EQ(format_ew(-std::numeric_limits<double>::infinity(), 9, 2), "*********");
}

TEST(ExponentField, WideExponentKeepsFifteenColumns) {
    EXPECT_EQ(format_ew_wide_exponent(1e-100, 15, 7), "  1.000000E-100");
    EXPECT_EQ(format_ew_wide_exponent(-2.5e200, 15, 7), " -2.500000E+200");
    EXPECT_EQ(format_ew_wide_exponent(1e6, 15, 7), "  1.0000000E+06");
    EXPECT_EQ(format_ew_wide_exponent(9.99999999e99, 15, 7), "  1.000000E+100");
}
