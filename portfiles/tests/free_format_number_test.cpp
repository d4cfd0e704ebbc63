#include "free_format_number.h"

#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>

namespace portfiles {
namespace {

TEST(ParseNumbers, AcceptsPlainIntegersAndRejectsEverythingElse) {
    std::int32_t v = 0;
    EXPECT_TRUE(parse_integer("42", v));
    EXPECT_EQ(v, 42);
    EXPECT_TRUE(parse_integer("-7", v));
    EXPECT_EQ(v, -7);
    EXPECT_TRUE(parse_integer("+0012", v));
    EXPECT_EQ(v, 12);
    EXPECT_TRUE(parse_integer("2147483647", v));
    EXPECT_EQ(v, 2147483647);
    EXPECT_TRUE(parse_integer("-2147483648", v));
    EXPECT_EQ(v, INT32_MIN);
    for (const char* bad : {"", "-", "+", "2147483648", "-2147483649", "99999999999999999999", "1.0", "1e3", "3*0",
                            "12a", "a12", "0x10", "/"})
        EXPECT_FALSE(parse_integer(bad, v)) << bad;
}

TEST(ParseNumbers, AcceptsDecimalRealsWithEOrDExponent) {
    float v = 0;
    double d = 0;
    struct Case {
        const char* text;
        double value;
    };
    for (Case c : {Case{"1", 1.0}, Case{"-2.5", -2.5}, Case{".5", 0.5}, Case{"5.", 5.0}, Case{"1.5E3", 1500.0},
                   Case{"1.5e+3", 1500.0}, Case{"2.5D-7", 2.5e-7}, Case{"2.5d-7", 2.5e-7}, Case{"+3E0", 3.0},
                   Case{"1.000000E-100", 1e-100}, Case{"-9.9999999E+99", -9.9999999e99}}) {
        ASSERT_TRUE(parse_real(c.text, d)) << c.text;
        EXPECT_DOUBLE_EQ(d, c.value) << c.text;
        if (std::fabs(c.value) < 1e30 && std::fabs(c.value) > 1e-30) {
            ASSERT_TRUE(parse_real(c.text, v)) << c.text;
            EXPECT_FLOAT_EQ(v, static_cast<float>(c.value)) << c.text;
        }
    }
    ASSERT_TRUE(parse_real("1e-400", v));
    EXPECT_EQ(v, 0.0f);
    ASSERT_TRUE(parse_real("1e-400", d));
    EXPECT_EQ(d, 0.0);
    // Just above the midpoint between 1 and the next 32-bit value: the
    // nearest 32-bit value is the upper one (rounding through 64 bits would
    // land on the midpoint and give 1).
    ASSERT_TRUE(parse_real("1.00000005960464477539063", v));
    EXPECT_EQ(v, 1.0f + 0x1p-23f);
    // The largest 32-bit value, written with fewer digits than it has.
    ASSERT_TRUE(parse_real("3.4028235e38", v));
    EXPECT_EQ(v, FLT_MAX);
    // 64 bits reach further.
    ASSERT_TRUE(parse_real("1e300", d));
    EXPECT_EQ(d, 1e300);
}

TEST(ParseNumbers, RejectsRealsThatAreNotFiniteOrNotPlainNumbers) {
    float v = 0;
    double d = 0;
    for (const char* bad : {"nan", "NaN", "inf", "-Infinity", "1e400", "0x1p3", "1.0.0", "1e", "1e+", "e5", ".", "-",
                            "1,2", "3*0.0", "1.5f", "1.2e-10x", "", " 1", "1 "}) {
        EXPECT_FALSE(parse_real(bad, v)) << bad;
        EXPECT_FALSE(parse_real(bad, d)) << bad;
    }
    for (const char* too_big : {"1e39", "-3.5e38"}) EXPECT_FALSE(parse_real(too_big, v)) << too_big;
    EXPECT_TRUE(parse_real("3.4e38", v));
}

// Random fields of every length and exponent range, with D exponents and
// plus signs: the same bits as strtof and strtod give (correctly rounded,
// also subnormal), and the same verdict where they overflow.
TEST(ParseNumbers, RealsRoundAsStrtofAndStrtodDo) {
    std::mt19937 random(3);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    for (int trial = 0; trial < 200000; ++trial) {
        std::string text = pick(0, 3) == 0 ? "+" : pick(0, 2) == 0 ? "-" : "";
        std::string c_text = text == "+" ? "" : text;
        const int digits = pick(1, trial % 50 == 0 ? 80 : 20), point = pick(0, digits);
        for (int k = 0; k < digits; ++k) {
            if (k == point) text += '.', c_text += '.';
            const char digit = static_cast<char>('0' + pick(0, 9));
            text += digit;
            c_text += digit;
        }
        if (pick(0, 5) != 0) {
            const std::string exponent = std::to_string(pick(-340, 320));
            text += (pick(0, 1) ? "D" : "E") + exponent;
            c_text += "e" + exponent;
        }
        const float f_expected = std::strtof(c_text.c_str(), nullptr);
        const double d_expected = std::strtod(c_text.c_str(), nullptr);
        float f = 7.0f;
        double d = 7.0;
        ASSERT_EQ(parse_real(text, f), std::isfinite(f_expected)) << text;
        ASSERT_EQ(parse_real(text, d), std::isfinite(d_expected)) << text;
        if (std::isfinite(f_expected)) {
            ASSERT_EQ(std::bit_cast<std::uint32_t>(f), std::bit_cast<std::uint32_t>(f_expected)) << text;
        }
        if (std::isfinite(d_expected)) {
            ASSERT_EQ(std::bit_cast<std::uint64_t>(d), std::bit_cast<std::uint64_t>(d_expected)) << text;
        }
    }
}

}  // namespace
}  // namespace portfiles
