// Decimal digits for the number-field writers: correctly rounded scaled
// magnitudes from double arithmetic where that decides them for certain, and
// digit strings two at a time. Internal to fixed_fields.cpp.
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace fields::decimal {

// Powers of ten of the exponent fields whose digits are found with double
// arithmetic; beyond them the exact conversion does the work.
inline constexpr int SCALE_LIMIT = 44;
// 10^k for k = -SCALE_LIMIT .. SCALE_LIMIT, each the nearest double (those
// up to 10^22 exactly).
inline constexpr double SCALES[] = {
    1e-44, 1e-43, 1e-42, 1e-41, 1e-40, 1e-39, 1e-38, 1e-37, 1e-36, 1e-35, 1e-34, 1e-33, 1e-32,
    1e-31, 1e-30, 1e-29, 1e-28, 1e-27, 1e-26, 1e-25, 1e-24, 1e-23, 1e-22, 1e-21, 1e-20, 1e-19,
    1e-18, 1e-17, 1e-16, 1e-15, 1e-14, 1e-13, 1e-12, 1e-11, 1e-10, 1e-9,  1e-8,  1e-7,  1e-6,
    1e-5,  1e-4,  1e-3,  1e-2,  1e-1,  1e0,   1e1,   1e2,   1e3,   1e4,   1e5,   1e6,   1e7,
    1e8,   1e9,   1e10,  1e11,  1e12,  1e13,  1e14,  1e15,  1e16,  1e17,  1e18,  1e19,  1e20,
    1e21,  1e22,  1e23,  1e24,  1e25,  1e26,  1e27,  1e28,  1e29,  1e30,  1e31,  1e32,  1e33,
    1e34,  1e35,  1e36,  1e37,  1e38,  1e39,  1e40,  1e41,  1e42,  1e43,  1e44,
};
static_assert(sizeof SCALES / sizeof SCALES[0] == 2 * SCALE_LIMIT + 1);

constexpr double power_of_ten(int k) {
    return SCALES[k + SCALE_LIMIT];
}

// The nearest integer to a scaled magnitude m computed with at most two
// roundings (a product with a rounded power of ten: within 2^-52 of the
// true value relative to it), when that decides it for certain; a value
// that close to a tie (or too large to keep a fraction) is left to the
// exact conversion (false).
[[gnu::always_inline]] inline bool round_computed(double m, std::uint64_t& rounded) {
    if (!(m < 1.0e15)) return false;
    // Signed conversions are single instructions; m >= 0: truncation is floor.
    const auto whole = static_cast<std::int64_t>(m);
    const double fraction = m - static_cast<double>(whole);  // exact
    if (std::fabs(fraction - 0.5) <= m * 0x1p-50 + 0x1p-1000) return false;
    rounded = static_cast<std::uint64_t>(whole) + (fraction > 0.5 ? 1 : 0);
    return true;
}

// The same for the scaled magnitudes of the fields with code of their own,
// m < 2^27: the nearest integer by adding and taking off 2^52 (the sum is
// rounded to an integer), and the distance to it, both exact. A fraction
// within 2^-23 of one half (which covers m x 2^-50) is left to the exact
// conversion.
[[gnu::always_inline]] inline bool round_bounded(double m, std::uint64_t& rounded) {
    if (!(m < 0x1p27)) return false;
    const double nearest = (m + 0x1p52) - 0x1p52;
    if (std::fabs(nearest - m) >= 0.5 - 0x1p-23) return false;
    rounded = static_cast<std::uint64_t>(static_cast<std::int64_t>(nearest));
    return true;
}

// magnitude x 10^power rounded to the nearest integer, when double
// arithmetic decides that for certain (see round_computed).
inline bool round_scaled(double magnitude, int power, std::uint64_t& rounded) {
    if (power < -SCALE_LIMIT || power > SCALE_LIMIT) return false;
    return round_computed(magnitude * power_of_ten(power), rounded);
}

inline constexpr std::uint64_t INTEGER_POWERS[] = {1ULL,
                                                   10ULL,
                                                   100ULL,
                                                   1000ULL,
                                                   10000ULL,
                                                   100000ULL,
                                                   1000000ULL,
                                                   10000000ULL,
                                                   100000000ULL,
                                                   1000000000ULL,
                                                   10000000000ULL,
                                                   100000000000ULL,
                                                   1000000000000ULL,
                                                   10000000000000ULL,
                                                   100000000000000ULL,
                                                   1000000000000000ULL,
                                                   10000000000000000ULL};

// "00", "01", ..., "99".
struct DigitPairs {
    char text[200];
    constexpr DigitPairs() : text() {
        for (int i = 0; i < 100; ++i) {
            text[2 * i] = static_cast<char>('0' + i / 10);
            text[2 * i + 1] = static_cast<char>('0' + i % 10);
        }
    }
};
inline constexpr DigitPairs DIGIT_PAIRS;

// Writes the `count` lowest decimal digits of value (with leading zeros) so
// that they end just before `end`, two at a time; returns the digits left
// above them (value / 10^count).
template <typename Unsigned>
inline Unsigned put_digit_pairs_before(char* end, Unsigned value, int count) {
    for (; count >= 2; count -= 2) {
        end -= 2;
        std::memcpy(end, DIGIT_PAIRS.text + 2 * (value % 100), 2);
        value /= 100;
    }
    if (count > 0) {
        end[-1] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
    return value;
}

// The same, in 32-bit arithmetic where the value allows (it is cheaper).
[[gnu::always_inline]] inline std::uint64_t put_digits_before(char* end, std::uint64_t value,
                                                              int count) {
    if (value <= 0xffffffffU)
        return put_digit_pairs_before<std::uint32_t>(end, static_cast<std::uint32_t>(value), count);
    return put_digit_pairs_before(end, value, count);
}

// The decimal digits of a positive finite magnitude rounded to `decimals`
// decimals in scientific notation, as the integer `digits` (decimals + 1
// digits) and the decimal exponent, without the exact conversion; false
// when double arithmetic cannot decide it.
[[gnu::always_inline]] inline bool fast_scientific(double magnitude, int decimals,
                                                   std::uint64_t& digits, int& exponent) {
    if (decimals > 14) return false;
    if (magnitude == 0.0) {
        digits = 0;
        exponent = 0;
        return true;
    }
    // floor(log10(magnitude)) or one less, from the binary exponent.
    const int binary_exponent =
        static_cast<int>((std::bit_cast<std::uint64_t>(magnitude) >> 52) & 0x7ff) - 1023;
    if (binary_exponent == -1023) return false;  // subnormal
    int e = (binary_exponent * 78913) >> 18;     // floor(binary_exponent log10(2))
    int power = decimals - e;
    if (power - 1 < -SCALE_LIMIT || power > SCALE_LIMIT) return false;
    const std::uint64_t lowest = INTEGER_POWERS[decimals];
    const std::uint64_t beyond = INTEGER_POWERS[decimals + 1];
    double scaled = magnitude * power_of_ten(power);
    // Clearly past the last digit: the estimate was one too low. (Up to one
    // above, the rounding decides below.)
    if (scaled >= static_cast<double>(static_cast<std::int64_t>(beyond)) + 1.0) {
        ++e;
        --power;
        scaled = magnitude * power_of_ten(power);
    }
    std::uint64_t m = 0;
    if (!round_computed(scaled, m)) return false;
    if (m == beyond) {  // 9.99..95 rounds to 10.00..0
        m = lowest;
        ++e;
    } else if (m < lowest || m > beyond) {
        return false;  // the estimate is off where the arithmetic is unsure: left to the exact
                       // conversion
    }
    digits = m;
    exponent = e;
    return true;
}

// "0000" ... "9999".
struct DigitQuads {
    char text[4 * 10000];
    constexpr DigitQuads() : text() {
        for (int i = 0; i < 10000; ++i) {
            text[4 * i] = static_cast<char>('0' + i / 1000);
            text[4 * i + 1] = static_cast<char>('0' + i / 100 % 10);
            text[4 * i + 2] = static_cast<char>('0' + i / 10 % 10);
            text[4 * i + 3] = static_cast<char>('0' + i % 10);
        }
    }
};
inline constexpr DigitQuads DIGIT_QUADS;

// The eight decimal digits of value < 10^8 with leading zeros, as the
// characters of one word, the first digit in its lowest byte: the two
// halves of four digits from the table.
[[gnu::always_inline]] inline std::uint64_t eight_digit_word(std::uint64_t value) {
    const auto eight = static_cast<std::uint32_t>(value);
    const std::uint32_t high = eight / 10000;
    std::uint32_t first = 0, second = 0;
    std::memcpy(&first, DIGIT_QUADS.text + 4 * high, 4);
    std::memcpy(&second, DIGIT_QUADS.text + 4 * (eight - high * 10000), 4);
    if constexpr (std::endian::native == std::endian::big) {
        first = __builtin_bswap32(first);
        second = __builtin_bswap32(second);
    }
    return first | (std::uint64_t{second} << 32);
}

// Stores the first `count` bytes (4 or 8) of a word of digits at out, the
// lowest byte first.
template <int COUNT>
[[gnu::always_inline]] inline void store_digit_word(char* out, std::uint64_t word) {
    static_assert(COUNT == 4 || COUNT == 8);
    if constexpr (std::endian::native == std::endian::big) word = __builtin_bswap64(word);
    if constexpr (COUNT == 8) {
        std::memcpy(out, &word, 8);
    } else {
        const auto low = static_cast<std::uint32_t>(std::endian::native == std::endian::big ? word >> 32 : word);
        std::memcpy(out, &low, 4);
    }
}

// The eight decimal digits of value < 10^8, with leading zeros, at text.
[[gnu::always_inline]] inline void eight_digits(char* text, std::uint64_t value) {
    store_digit_word<8>(text, eight_digit_word(value));
}

}  // namespace fields::decimal
