// The fields the programs write most (E15.7 of the parameter files, E9.2,
// E10.3 and F7.2 of the run report), each in straight-line code of its own
// with its width and decimals constant. They write the common values (a
// normal finite value whose digits double arithmetic decides and which
// fits with its sign) and return nullptr for the others, which the general
// writers take. Used through common_fields.h and by fixed_fields.cpp.
#pragma once

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "decimal_digits.h"

namespace fields::decimal {

// "E-99" ... "E+99", four characters each, for exponents from -99 on.
struct ExponentTexts {
    char text[4 * 199];
    constexpr ExponentTexts() : text() {
        for (int e = -99; e <= 99; ++e) {
            char* t = text + 4 * (e + 99);
            const int magnitude = e < 0 ? -e : e;
            t[0] = 'E';
            t[1] = e < 0 ? '-' : '+';
            t[2] = static_cast<char>('0' + magnitude / 10);
            t[3] = static_cast<char>('0' + magnitude % 10);
        }
    }
};
inline constexpr ExponentTexts EXPONENT_TEXTS;

// "1.00" ... "9.99": the mantissas of two decimals, for 100 ... 999.
struct ShortMantissas {
    char text[4 * 900];
    constexpr ShortMantissas() : text() {
        for (int m = 100; m < 1000; ++m) {
            char* t = text + 4 * (m - 100);
            t[0] = static_cast<char>('0' + m / 100);
            t[1] = '.';
            t[2] = static_cast<char>('0' + m / 10 % 10);
            t[3] = static_cast<char>('0' + m % 10);
        }
    }
};
inline constexpr ShortMantissas SHORT_MANTISSAS;

// Ew.d with a two-digit exponent.
template <int WIDTH, int DECIMALS>
[[gnu::always_inline]] inline char* constant_scientific(char* out, double value) {
    // Room for the sign and at most eight blanks; every exponent the powers
    // of ten in the table reach has two digits.
    static_assert(DECIMALS >= 1 && DECIMALS <= 7 && WIDTH >= DECIMALS + 7 && WIDTH <= DECIMALS + 14);
    static_assert(DECIMALS + SCALE_LIMIT + 1 <= 99);
    constexpr std::uint64_t LOWEST = INTEGER_POWERS[DECIMALS];
    constexpr std::uint64_t BEYOND = INTEGER_POWERS[DECIMALS + 1];
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const int biased_exponent = static_cast<int>(bits >> 52) & 0x7ff;
    // Zero, subnormal, infinite or not a number.
    if (static_cast<unsigned>(biased_exponent - 1) >= 0x7fe) return nullptr;
    const double magnitude = std::bit_cast<double>(bits & ~(std::uint64_t{1} << 63));
    // floor(log10(magnitude)) or one less.
    int e = ((biased_exponent - 1023) * 78913) >> 18;
    if (e < DECIMALS - SCALE_LIMIT || e > DECIMALS + SCALE_LIMIT - 1) return nullptr;
    double scaled = magnitude * power_of_ten(DECIMALS - e);
    if (scaled >= static_cast<double>(BEYOND) + 1.0) {  // the estimate was one too low
        ++e;
        scaled = magnitude * power_of_ten(DECIMALS - e);
    }
    std::uint64_t digits = 0;
    if (!round_bounded(scaled, digits) || digits < LOWEST || digits > BEYOND) return nullptr;
    if (digits == BEYOND) {  // 9.99..95 rounds to 10.00..0
        digits = LOWEST;
        ++e;
    }
    const int minus = static_cast<int>(bits >> 63);
    std::memcpy(out, "        ", 8);
    out += WIDTH - (DECIMALS + 6) - minus;
    *out = '-';  // the first digit takes its place when positive
    out += minus;
    if constexpr (DECIMALS == 2) {
        std::memcpy(out, SHORT_MANTISSAS.text + 4 * (digits - 100), 4);
    } else {
        // The first digit, then the word from there on with the point over
        // its first byte; the exponent covers what is stored beyond the
        // decimals.
        const std::uint64_t word = eight_digit_word(digits) >> (8 * (7 - DECIMALS));
        out[0] = static_cast<char>(word);
        store_digit_word<DECIMALS <= 3 ? 4 : 8>(out + 1, word);
        out[1] = '.';
    }
    std::memcpy(out + 2 + DECIMALS, EXPONENT_TEXTS.text + 4 * (e + 99), 4);
    return out + 6 + DECIMALS;
}

// Fw.d of a magnitude that rounds below 10^(WIDTH - DECIMALS - 2): its
// digits and its sign always fit.
template <int WIDTH, int DECIMALS>
[[gnu::always_inline]] inline char* constant_fixed(char* out, double value) {
    static_assert(DECIMALS >= 1 && WIDTH >= DECIMALS + 4 && WIDTH <= 8);
    // Rounded magnitudes below this have at most WIDTH - 2 digits.
    constexpr std::uint64_t BEYOND = INTEGER_POWERS[WIDTH - 2];
    const double magnitude = std::fabs(value);
    if (!(magnitude < static_cast<double>(BEYOND) / static_cast<double>(INTEGER_POWERS[DECIMALS])))
        return nullptr;  // also infinities and not a number
    std::uint64_t scaled = 0;
    if (!round_bounded(magnitude * power_of_ten(DECIMALS), scaled) || scaled >= BEYOND)
        return nullptr;
    // The digits before the point (a zero for magnitudes below 1).
    int whole = 1;
    for (int k = DECIMALS + 1; k < WIDTH - 2; ++k) whole += scaled >= INTEGER_POWERS[k] ? 1 : 0;
    // The field as the last WIDTH bytes of a word, its lowest byte first:
    // the digits of the whole part moved down by one byte for the point,
    // blanks before them.
    const std::uint64_t word = eight_digit_word(scaled);
    constexpr int POINT = 7 - DECIMALS;  // the point's byte
    constexpr std::uint64_t BELOW_POINT = (std::uint64_t{1} << (8 * POINT)) - 1;
    std::uint64_t field = ((word >> 8) & BELOW_POINT) | (std::uint64_t{'.'} << (8 * POINT)) |
                          (word & ~((BELOW_POINT << 8) | 0xff));
    const int blanks = POINT - whole;  // bytes below the whole digits
    const std::uint64_t blank_bytes = (std::uint64_t{1} << (8 * blanks)) - 1;
    field = (field & ~blank_bytes) | (0x2020202020202020ULL & blank_bytes);
    // A result whose digits are all zero has no sign.
    if (value < 0 && scaled != 0)
        field = (field & ~(std::uint64_t{0xff} << (8 * (blanks - 1)))) |
                (std::uint64_t{'-'} << (8 * (blanks - 1)));
    if constexpr (std::endian::native == std::endian::big) field = __builtin_bswap64(field);
    char text[8];
    std::memcpy(text, &field, 8);
    std::memcpy(out, text + 8 - WIDTH, WIDTH);
    return out + WIDTH;
}

}  // namespace fields::decimal
