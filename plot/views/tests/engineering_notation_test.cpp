#include "engineering_notation.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

struct Prefixed {
    char prefix = '?';
    float scale = 0;
};

Prefixed fresh_prefix(float value) {
    Prefixed p;
    choose_prefix(value, p.prefix, p.scale, false);
    return p;
}

TEST(FloorTol, IsTheFloorWithAToleranceBelowNegativeIntegers) {
    EXPECT_EQ(floor_tol(2.7f), 2);
    EXPECT_EQ(floor_tol(0.0f), 0);
    EXPECT_EQ(floor_tol(-2.5f), -3);
    EXPECT_EQ(floor_tol(-3.0f), -3);
    EXPECT_EQ(floor_tol(-3.0f - 1e-5f), -3);
    EXPECT_EQ(floor_tol(-3.01f), -4);
}

TEST(FloorTol, StaysDefinedForValuesBeyondTheIntegerRange) {
    EXPECT_GT(floor_tol(1e30f), 2000000000);
    EXPECT_LT(floor_tol(-1e30f), -2000000000);
    EXPECT_EQ(floor_tol(std::numeric_limits<float>::quiet_NaN()), 0);
}

TEST(ChoosePrefix, PicksThePowerOfThousandAtOrBelowTheValue) {
    Prefixed g = fresh_prefix(2e9f);
    EXPECT_EQ(g.prefix, 'G');
    EXPECT_FLOAT_EQ(g.scale, 1e9f);
    Prefixed k = fresh_prefix(999.95f);  // a hair below 1000 counts as 1000
    EXPECT_EQ(k.prefix, 'k');
    EXPECT_FLOAT_EQ(k.scale, 1000.0f);
    Prefixed u = fresh_prefix(5e-4f);
    EXPECT_EQ(u.prefix, MICRO_PREFIX);
    EXPECT_FLOAT_EQ(u.scale, 1e-6f);
    Prefixed zero = fresh_prefix(0.0f);
    EXPECT_EQ(zero.prefix, ' ');
    EXPECT_FLOAT_EQ(zero.scale, 1.0f);
    EXPECT_EQ(fresh_prefix(1e-20f).prefix, '*');
    EXPECT_EQ(fresh_prefix(-3.5e-12f).prefix, 'p');
    EXPECT_EQ(fresh_prefix(45.0f).prefix, ' ');
    EXPECT_EQ(fresh_prefix(4.5e12f).prefix, 'T');
}

TEST(FormatNumber, WidthSevenChoosesItsDecimalsBySize) {
    EXPECT_EQ(format_number(7, 2e9f, 1e9f, 'G'), " 2.0000");
    EXPECT_EQ(format_number(7, 1.5e11f, 1e9f, 'G'), " 150.00");
    EXPECT_EQ(format_number(7, 0.0f, 1e9f, 'G'), "  0.000");
    EXPECT_EQ(format_number(7, 1.2e14f, 1e9f, 'G'), " 1.E+05");
    EXPECT_EQ(format_number(7, 0.5f, 1.0f, ' '), " 0.5000");
    EXPECT_EQ(format_number(7, 12345.0f, 1.0f, ' '), " 12345.");
    EXPECT_EQ(format_number(7, 5000.0f, 1.0f, ' '), " 5000.0");
    EXPECT_EQ(format_number(7, -50.0f, 1.0f, ' '), "-50.000");
    EXPECT_EQ(format_number(7, 0.0005f, 1.0f, ' '), " 5.E-04");
    EXPECT_EQ(format_number(7, 1e-20f, 1.0f, '*'), " 1.E-20");
}

TEST(FormatNumber, WidthSixHasNoRoomForNegativeExponents) {
    EXPECT_EQ(format_number(6, -3.0f, 1.0f, ' '), "******");
    EXPECT_EQ(format_number(6, 0.05f, 1.0f, ' '), "5.E-02");
    EXPECT_EQ(format_number(6, 1.5e9f, 1e9f, 'G'), "   1.5");
    EXPECT_EQ(format_number(6, 0.0f, 1.0f, ' '), "   0.0");
    EXPECT_EQ(format_number(6, -1e-20f, 1.0f, '*'), "******");
}

TEST(FormatNumber, WidthTenIsFixedWithThreeDecimalsInItsRange) {
    EXPECT_EQ(format_number(10, 2e10f, 1e9f, 'G'), "    20.000");
    EXPECT_EQ(format_number(10, -0.005f, 1.0f, ' '), "-5.000E-03");
    EXPECT_EQ(format_number(10, 0.0f, 1.0f, ' '), "     0.000");
    EXPECT_EQ(format_number(10, 1e-20f, 1.0f, '*'), " 1.000E-20");
}

}  // namespace
