// The fast writers against the snprintf reference: edge cases in every
// field in use, then millions of random values spread over magnitudes, signs,
// widths and decimals.

#include <gtest/gtest.h>

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "common_fields.h"
#include "fixed_fields.h"
#include "reference_fixed_fields.h"

namespace {

// Values compared per random test below; the sanitizer build, some fifty
// times slower, checks a tenth of them.
#ifdef MTL_FEWER_FIELD_VALUES
constexpr long SHARE = 1;
constexpr const char* COUNT_NOTE = "sanitizer build: a tenth of the 10^7 random values";
#else
constexpr long SHARE = 10;
constexpr const char* COUNT_NOTE = "10^7 random values in all";
#endif

enum Kind { E, E_WIDE, F };

struct Field {
    Kind kind;
    int width;
    int decimals;
};

// The fields the programs write.
const Field FIELDS_IN_USE[] = {
    {E_WIDE, 15, 7}, {E, 15, 7}, {E, 10, 3}, {E, 9, 2}, {E, 12, 4}, {E, 6, 0}, {E, 7, 0},
    {E, 7, 3},       {F, 7, 2},  {F, 4, 2},  {F, 6, 1}, {F, 7, 0},  {F, 7, 1}, {F, 7, 3},
    {F, 7, 4},       {F, 10, 3}, {F, 10, 2}, {F, 11, 3}, {F, 11, 1},
};

// The three writers of one implementation.
struct Writers {
    std::string (*ew)(double, int, int);
    std::string (*ew_wide_exponent)(double, int, int);
    std::string (*fw)(double, int, int);
};
const Writers FAST{fields::format_ew, fields::format_ew_wide_exponent, fields::format_fw};
const Writers SLOW{reference::format_ew, reference::format_ew_wide_exponent, reference::format_fw};

std::string written(const Writers& writers, const Field& f, double v) {
    switch (f.kind) {
        case E: return writers.ew(v, f.width, f.decimals);
        case E_WIDE: return writers.ew_wide_exponent(v, f.width, f.decimals);
        case F: return writers.fw(v, f.width, f.decimals);
    }
    return {};
}

std::string describe(const Field& f, double v) {
    char text[64];
    std::snprintf(text, sizeof text, "%s%d.%d of %.17g", f.kind == F ? "F" : f.kind == E ? "E" : "E(wide)",
                  f.width, f.decimals, v);
    return text;
}

// Counts and reports (the first few) differences from the reference.
class Comparison {
public:
    void check(const Field& f, double v) {
        const std::string expected = written(SLOW, f, v);
        const std::string actual = written(FAST, f, v);
        if (actual == expected) return;
        if (++failures_ <= 10) ADD_FAILURE() << describe(f, v) << ": \"" << actual << "\", reference \"" << expected << "\"";
    }
    ~Comparison() { EXPECT_EQ(failures_, 0) << "differences from the reference writer"; }

private:
    long failures_ = 0;
};

// Doubles that sit on or next to the rounding boundary of `digits`
// significant digits (a 5 or a run of 9s and a 5 after them), at decimal
// exponents from -110 to 110.
double near_rounding_boundary(std::mt19937_64& engine, int digits) {
    std::uniform_int_distribution<int> exponent(-110, 110);
    std::uniform_int_distribution<int> digit(0, 9);
    std::uniform_int_distribution<int> ulps(-2, 2);
    char text[64];
    int n = 0;
    const bool nines = digit(engine) < 5;
    text[n++] = static_cast<char>('1' + digit(engine) % 9);
    if (nines) text[0] = '9';
    text[n++] = '.';
    for (int i = 1; i < digits; ++i) text[n++] = static_cast<char>('0' + (nines ? 9 : digit(engine)));
    text[n++] = '5';
    n += std::snprintf(text + n, sizeof text - n, "e%d", exponent(engine));
    double v = 0.0;
    std::from_chars(text, text + n, v);
    for (int k = ulps(engine); k != 0; k += k > 0 ? -1 : 1)
        v = std::nextafter(v, k > 0 ? HUGE_VAL : -HUGE_VAL);
    return v;
}

// A value for field f: raw bit patterns (every exponent, subnormals,
// infinities and NaNs), magnitudes spread evenly over powers of ten, values
// on rounding boundaries, single-precision values, short decimals.
double random_value(std::mt19937_64& engine, const Field& f) {
    std::uniform_int_distribution<int> pick(0, 99);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const int choice = pick(engine);
    const double sign = pick(engine) < 50 ? -1.0 : 1.0;
    // Fixed notation of huge magnitudes is slow in the reference and ends in
    // asterisks anyway; fewer of those.
    const int span = f.kind == F ? 12 : 115;
    if (choice < (f.kind == F ? 3 : 15)) {
        const std::uint64_t bits = engine();
        double v;
        std::memcpy(&v, &bits, sizeof v);
        return v;
    }
    if (choice < 45) return sign * std::pow(10.0, span * (2.0 * unit(engine) - 1.0));
    if (choice < 75) {
        const int digits = f.kind == F ? 1 + static_cast<int>(unit(engine) * 8) : f.decimals + 1;
        const double v = near_rounding_boundary(engine, digits);
        return sign * (f.kind == F ? std::ldexp(v, -std::ilogb(v) + static_cast<int>(unit(engine) * 30) - 15) : v);
    }
    if (choice < 90) return static_cast<float>(sign * std::pow(10.0, 40 * (2.0 * unit(engine) - 1.0)));
    return sign * std::floor(unit(engine) * 1e6) / std::pow(10.0, static_cast<int>(unit(engine) * 9));
}

void compare_random(Kind kind, unsigned seed, long count) {
    std::mt19937_64 engine(seed);
    std::vector<Field> fields;
    for (const Field& f : FIELDS_IN_USE)
        if (f.kind == kind) fields.push_back(f);
    std::uniform_int_distribution<int> which(0, static_cast<int>(fields.size()) - 1);
    std::uniform_int_distribution<int> width(1, 32);
    Comparison comparison;
    for (long i = 0; i < count; ++i) {
        Field f = fields[which(engine)];
        if (i % 4 == 3) {  // any other width and number of decimals
            f.width = width(engine);
            f.decimals = std::uniform_int_distribution<int>(kind == E_WIDE ? 1 : 0, f.width)(engine);
        }
        comparison.check(f, random_value(engine, f));
    }
    ::testing::Test::RecordProperty("values", COUNT_NOTE);
}

TEST(FieldsAgainstReference, ExponentFieldsOnRandomValues) { compare_random(E, 1, 400'000 * SHARE); }

TEST(FieldsAgainstReference, WideExponentFieldsOnRandomValues) { compare_random(E_WIDE, 2, 300'000 * SHARE); }

TEST(FieldsAgainstReference, FixedFieldsOnRandomValues) { compare_random(F, 3, 250'000 * SHARE); }

TEST(FieldsAgainstReference, CommonFieldsPlacedInTheirWriters) {
    struct Common {
        char* (*writer)(char*, double);
        Field field;
    };
    const Common common[] = {
        {fields::write_e15_7_wide_exponent, {E_WIDE, 15, 7}},
        {fields::write_e9_2, {E, 9, 2}},
        {fields::write_e10_3, {E, 10, 3}},
        {fields::write_f7_2, {F, 7, 2}},
    };
    std::mt19937_64 engine(5);
    long failures = 0;
    for (long i = 0; i < 50'000 * SHARE; ++i) {
        const Common& c = common[i % 4];
        const double v = random_value(engine, c.field);
        char text[16];
        const std::string actual(text, c.writer(text, v));
        if (actual != written(SLOW, c.field, v) && ++failures <= 10) ADD_FAILURE() << describe(c.field, v);
    }
    EXPECT_EQ(failures, 0);
}

TEST(FieldsAgainstReference, IntegerFieldsOnRandomValues) {
    std::mt19937_64 engine(4);
    std::uniform_int_distribution<int> width(-1, 22);
    std::uniform_int_distribution<int> shift(0, 63);
    long failures = 0;
    for (long i = 0; i < 50'000 * SHARE; ++i) {
        const auto value = static_cast<std::int64_t>(engine()) >> shift(engine);
        const int w = width(engine);
        if (fields::format_iw(value, w) != reference::format_iw(value, w) && ++failures <= 10)
            ADD_FAILURE() << "I" << w << " of " << value;
    }
    EXPECT_EQ(failures, 0);
    EXPECT_EQ(fields::format_iw(std::numeric_limits<std::int64_t>::min(), 20), "-9223372036854775808");
}

// Carries into a new leading digit and across the two- and three-digit
// exponent limits, negative zero, extremes and non-finite values, in every
// field in use and in narrow and wide fields around them.
TEST(FieldsAgainstReference, EdgeCases) {
    const double inf = std::numeric_limits<double>::infinity();
    const std::vector<double> edges = {
        0.0, -0.0, 1.0, -1.0, 0.5, 0.125, 0.375, 2.5, 9.5, 99.5, 999.5, 0.05, 0.005, 0.0005,
        9.9999999, 9.99999995, 9.999999949999, -9.99999995, 9.9996e5, 9.9995, 9.995, 9.95, 99.995,
        999.995, 9999.5, 99999.5, 999999.5, 0.99999995, 0.0999999995,
        1e99, 9.99e99, 9.9999999e99, 9.99999995e99, 9.999999949e99, 9.995e99, 9.95e99, 9.5e99,
        1e100, 1e-99, 1e-100, 9.99999995e-100, 9.9999999e-100, 9.999999949e-101, 9.995e-100,
        9.5e-100, 1.0e-101, 9.99999995e-101, 9.999999995e-100, 1e101, 9.99999995e100,
        1e200, -2.5e200, 1e300, 1e308, DBL_MAX, -DBL_MAX, DBL_MIN, -DBL_MIN, DBL_TRUE_MIN,
        4.9406564584124654e-324, 1e-310, 1e6, 1e7, 1e15, 1e16, 1e22, 1e23, 123456789012345678.0,
        static_cast<float>(0.1), static_cast<float>(1e-45), static_cast<float>(3.4e38),
        inf, -inf, std::numeric_limits<double>::quiet_NaN(), -std::numeric_limits<double>::quiet_NaN(),
    };
    Comparison comparison;
    for (double edge : edges) {
        for (double v : {edge, -edge, std::nextafter(edge, inf), std::nextafter(edge, -inf)}) {
            for (Field f : FIELDS_IN_USE) {
                comparison.check(f, v);
                for (int w = f.width - 3; w <= f.width + 3; ++w) {
                    for (int d = 0; d <= 12; ++d) {
                        if (f.kind == E_WIDE && d == 0) continue;
                        comparison.check({f.kind, w, d}, v);
                    }
                }
            }
        }
    }
    EXPECT_EQ(fields::format_ew(9.99999996, 15, 7), "  1.0000000E+01");
    EXPECT_EQ(fields::format_ew(9.99999995e99, 15, 7), "***************");
    EXPECT_EQ(fields::format_ew_wide_exponent(9.99999996e-100, 15, 7), "  1.0000000E-99");
    // Seven decimals need E-100, six carry back to E-99: the three digits stay.
    EXPECT_EQ(fields::format_ew_wide_exponent(9.9999999e-100, 15, 7), "  1.000000E-099");
    EXPECT_EQ(fields::format_ew_wide_exponent(DBL_TRUE_MIN, 15, 7), "  4.940656E-324");
}

// The writers put exactly the field's width at the given place and nothing
// beyond it.
TEST(FieldsAgainstReference, WritersFillExactlyTheirWidth) {
    char line[40];
    std::memset(line, '#', sizeof line);
    char* end = fields::write_ew_wide_exponent(line + 1, -1.5e-120, 15, 7);
    end = fields::write_fw(end, -0.004, 7, 2);
    end = fields::write_iw(end, 123456, 3);
    end = fields::write_ew(end, 1.0, 0, 3);
    end = fields::write_fw(end, 1.0, -4, 1);
    EXPECT_EQ(end, line + 26);
    EXPECT_EQ(std::string(line, sizeof line), "# -1.500000E-120   0.00***##############");

    // The fields with code of their own, each between two marks.
    struct Written {
        char* (*writer)(char*, double, int, int);
        double value;
        int width, decimals;
        const char* text;
    };
    const Written most[] = {
        {fields::write_ew_wide_exponent, -1.5, 15, 7, " -1.5000000E+00"},
        {fields::write_ew_wide_exponent, 2.5e-7, 15, 7, "  2.5000000E-07"},
        {fields::write_ew, -7.25e-5, 9, 2, "-7.25E-05"},
        {fields::write_ew, 1.0e6, 10, 3, " 1.000E+06"},
        {fields::write_fw, -400.0, 7, 2, "-400.00"},
        {fields::write_fw, 0.5, 7, 2, "   0.50"},
    };
    for (const Written& w : most) {
        std::memset(line, '#', sizeof line);
        end = w.writer(line + 1, w.value, w.width, w.decimals);
        EXPECT_EQ(end, line + 1 + w.width);
        EXPECT_EQ(std::string(line, w.width + 2), "#" + std::string(w.text) + "#");
    }
}

}  // namespace
