#include "fixed_fields.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>

#include "constant_fields.h"
#include "decimal_digits.h"

namespace fields {

namespace {

using namespace decimal;

// Longest digit string the writers produce; a fixed-notation value that
// needs more is written as asterisks.
constexpr int LONGEST_TEXT = 511;

// Fields are short: plain loops beat the library calls here.
char* repeat(char* out, char c, int count) {
    for (int i = 0; i < count; ++i) *out++ = c;
    return out;
}

char* copy(char* out, const char* text, int count) {
    for (int i = 0; i < count; ++i) *out++ = text[i];
    return out;
}

[[gnu::cold, gnu::noinline]] char* write_asterisks(char* out, int width) {
    return repeat(out, '*', width);
}

// Right-aligns the pieces sign, text and (optionally) a point and an
// exponent text in width columns; asterisks when they do not fit.
struct Pieces {
    bool minus = false;
    const char* text = nullptr;
    int text_length = 0;
    bool point = false;
    const char* exponent = nullptr;
    int exponent_length = 0;
    int length() const { return (minus ? 1 : 0) + text_length + (point ? 1 : 0) + exponent_length; }
};

char* place(char* out, int width, const Pieces& p) {
    const int length = p.length();
    if (length > width) return write_asterisks(out, width);
    out = repeat(out, ' ', width - length);
    if (p.minus) *out++ = '-';
    out = copy(out, p.text, p.text_length);
    if (p.point) *out++ = '.';
    return copy(out, p.exponent, p.exponent_length);
}

[[gnu::noinline]] char* many_blanks(char* out, int count) {
    return repeat(out, ' ', count);
}

// `count` blanks at out, where the field has `room` characters from out on
// (count <= room): one store for the few blanks most fields need.
[[gnu::always_inline]] inline char* blanks(char* out, int count, int room) {
    if (count <= 8 && room >= 8) {
        std::memcpy(out, "        ", 8);
        return out + count;
    }
    if (count <= 4 && room >= 4) {
        std::memcpy(out, "    ", 4);
        return out + count;
    }
    return many_blanks(out, count);
}

// Fixed notation of a finite magnitude rounded to `decimals` decimals, as
// the integer magnitude x 10^decimals, without the exact conversion; false
// when round_scaled cannot decide.
bool fast_fixed(double magnitude, int decimals, std::uint64_t& scaled) {
    return decimals <= 14 && round_scaled(magnitude, decimals, scaled);
}

// Fw.d of the rounded value scaled / 10^decimals (scaled < 10^15).
[[gnu::always_inline]] inline char* place_fixed(char* out, bool negative, int width,
                                                std::uint64_t scaled, int decimals) {
    int digits = 1;
    while (digits < 15 && scaled >= INTEGER_POWERS[digits]) ++digits;
    // The point stays even without decimals ("12345.").
    const bool below_one = scaled < INTEGER_POWERS[decimals];
    int whole_digits = below_one ? 1 : digits - decimals;
    const bool minus = negative && scaled != 0;  // a result whose digits are all zero has no sign
    int length = (minus ? 1 : 0) + whole_digits + 1 + decimals;
    // The zero before the point goes when that is what it takes to fit.
    if (length > width && below_one) {
        whole_digits = 0;
        --length;
    }
    if (length > width) return write_asterisks(out, width);
    out = blanks(out, width - length, width);
    if (minus) *out++ = '-';
    char* point = out + whole_digits;
    const std::uint64_t whole = put_digits_before(point + 1 + decimals, scaled, decimals);
    *point = '.';
    put_digits_before(point, whole, whole_digits);
    return point + 1 + decimals;
}

// The mantissa "d.ddd" of `digits` (decimals + 1 digits) at out, where
// at least four more characters of the field follow (the exponent, written
// after it, covers what is stored beyond the mantissa here).
[[gnu::always_inline]] inline void put_mantissa(char* out, std::uint64_t digits, int decimals) {
    if (decimals > 7) {
        out[0] = static_cast<char>('0' + put_digits_before(out + 2 + decimals, digits, decimals));
        out[1] = '.';
        return;
    }
    // The digits shifted down to the first one; it goes before the point,
    // the word from there on after it (the point overwrites its first byte).
    const std::uint64_t word = eight_digit_word(digits) >> (8 * (7 - decimals));
    out[0] = static_cast<char>(word);
    if (decimals <= 3)
        store_digit_word<4>(out + 1, word);
    else
        store_digit_word<8>(out + 1, word);
    out[1] = '.';
}

// Scientific notation of a finite magnitude correctly rounded to the given
// decimals: its decimal exponent and its decimals + 1 digits, as an integer
// when double arithmetic found them, otherwise as the text "d.ddd" ("d"
// without decimals) of the exact conversion.
struct Mantissa {
    std::uint64_t digits = 0;
    const char* text = nullptr;
    int exponent = 0;
};

// False when the buffer is too short for the text.
bool scientific(double magnitude, int decimals, char* buffer, int size, Mantissa& mantissa) {
    mantissa.text = nullptr;
    if (fast_scientific(magnitude, decimals, mantissa.digits, mantissa.exponent)) return true;
    const auto r =
        std::to_chars(buffer, buffer + size, magnitude, std::chars_format::scientific, decimals);
    if (r.ec != std::errc()) return false;
    const char* e = r.ptr;
    while (*--e != 'e') {
    }
    int value = 0;
    for (const char* d = e + 2; d < r.ptr; ++d) value = value * 10 + (*d - '0');
    mantissa.text = buffer;
    mantissa.exponent = e[1] == '-' ? -value : value;
    return true;
}

// Ew.d with at least `exponent_digits` exponent digits (a double's decimal
// exponent has at most three).
[[gnu::always_inline]] inline char* place_scientific(char* out, double value, int width,
                                                     int decimals, const Mantissa& mantissa,
                                                     int exponent_digits) {
    // A nonzero value never rounds to a zero mantissa, and -0 compares equal
    // to 0: only values with a nonzero digit get the sign.
    const bool minus = value < 0;
    const int exponent = mantissa.exponent < 0 ? -mantissa.exponent : mantissa.exponent;
    if (exponent >= 100) exponent_digits = 3;
    // The point stays even without decimals ("1.E+04").
    const int length = (minus ? 1 : 0) + 2 + decimals + 2 + exponent_digits;
    if (length > width) return write_asterisks(out, width);
    out = blanks(out, width - length, width);
    if (minus) *out++ = '-';
    if (mantissa.text != nullptr) {
        copy(out, mantissa.text, decimals > 0 ? 2 + decimals : 1);
        out[1] = '.';
    } else {
        put_mantissa(out, mantissa.digits, decimals);
    }
    out += 2 + decimals;
    out[0] = 'E';
    out[1] = mantissa.exponent < 0 ? '-' : '+';
    if (exponent_digits == 3) {
        out[2] = static_cast<char>('0' + exponent / 100);
        std::memcpy(out + 3, DIGIT_PAIRS.text + 2 * (exponent % 100), 2);
        return out + 5;
    }
    std::memcpy(out + 2, DIGIT_PAIRS.text + 2 * exponent, 2);
    return out + 4;
}

// Ew.d (as write_ew, or as write_ew_wide_exponent with wide_exponent) of
// the values fast_scientific leaves to the exact conversion or whose
// exponent has three digits.
[[gnu::noinline]] char* write_exact_scientific(char* out, double value, int width, int decimals,
                                               bool wide_exponent) {
    char buffer[LONGEST_TEXT];
    Mantissa mantissa;
    const double magnitude = std::fabs(value);
    if (!scientific(magnitude, decimals, buffer, sizeof buffer, mantissa))
        return write_asterisks(out, width);
    if (mantissa.exponent >= -99 && mantissa.exponent <= 99)
        return place_scientific(out, value, width, decimals, mantissa, 2);
    if (!wide_exponent) return write_asterisks(out, width);
    // One decimal less can only round up, so the exponent keeps three digits.
    scientific(magnitude, decimals - 1, buffer, sizeof buffer, mantissa);
    return place_scientific(out, value, width, decimals - 1, mantissa, 3);
}

// Ew.d (as write_ew, or as write_ew_wide_exponent with wide_exponent).
[[gnu::noinline]] char* write_scientific(char* out, double value, int width, int decimals,
                                         bool wide_exponent) {
    // The shortest text is d.<decimals>E+dd.
    if (!std::isfinite(value) || decimals < (wide_exponent ? 1 : 0) || decimals + 6 > width)
        return write_asterisks(out, width);
    Mantissa mantissa;
    if (fast_scientific(std::fabs(value), decimals, mantissa.digits, mantissa.exponent) &&
        mantissa.exponent <= 99 && mantissa.exponent >= -99)
        return place_scientific(out, value, width, decimals, mantissa, 2);
    return write_exact_scientific(out, value, width, decimals, wide_exponent);
}

// The common case of write_scientific in straight-line code: a finite value
// with 7 decimals at most (and at least `least_decimals`) whose digits
// fast_scientific finds, a two-digit exponent and a field that needs at
// most a few blanks; nullptr for the others.
// With FIXED_DECIMALS >= 0, decimals is that constant (the compiler
// folds what depends on it).
template <int FIXED_DECIMALS = -1>
[[gnu::always_inline]] inline char* quick_scientific(char* out, double value, int width,
                                                     int decimals, int least_decimals) {
    if constexpr (FIXED_DECIMALS >= 0) decimals = FIXED_DECIMALS;
    if (!std::isfinite(value) || decimals < least_decimals || decimals > 7) return nullptr;
    Mantissa mantissa;
    if (!fast_scientific(std::fabs(value), decimals, mantissa.digits, mantissa.exponent) ||
        mantissa.exponent > 99 || mantissa.exponent < -99)
        return nullptr;
    const bool minus = value < 0;
    const int length = (minus ? 1 : 0) + 2 + decimals + 4;
    const int count = width - length;
    if (count < 0 || count > 8 || width < 8) return nullptr;
    std::memcpy(out, "        ", 8);
    out += count;
    if (minus) *out++ = '-';
    put_mantissa(out, mantissa.digits, decimals);
    out += 2 + decimals;
    const int exponent = mantissa.exponent < 0 ? -mantissa.exponent : mantissa.exponent;
    out[0] = 'E';
    out[1] = mantissa.exponent < 0 ? '-' : '+';
    std::memcpy(out + 2, DIGIT_PAIRS.text + 2 * exponent, 2);
    return out + 4;
}

// The common case of write_fw in straight-line code: a finite value with 7
// decimals at most whose rounding round_scaled decides to fewer than nine
// digits, in a field that needs four blanks at most; nullptr for the
// others. With FIXED_DECIMALS >= 0, decimals is that constant.
template <int FIXED_DECIMALS = -1>
[[gnu::always_inline]] inline char* quick_fixed(char* out, double value, int width, int decimals) {
    if constexpr (FIXED_DECIMALS >= 0) decimals = FIXED_DECIMALS;
    std::uint64_t scaled = 0;
    if (!std::isfinite(value) || decimals < 0 || decimals > 7 || width < 4 ||
        !round_scaled(std::fabs(value), decimals, scaled) || scaled >= INTEGER_POWERS[8])
        return nullptr;
    int digits = 1;
    while (digits < 8 && scaled >= INTEGER_POWERS[digits]) ++digits;
    const bool below_one = scaled < INTEGER_POWERS[decimals];
    int whole_digits = below_one ? 1 : digits - decimals;
    const bool minus = value < 0 && scaled != 0;  // a result whose digits are all zero has no sign
    int length = (minus ? 1 : 0) + whole_digits + 1 + decimals;
    // The zero before the point goes when that is what it takes to fit.
    if (length > width && below_one) {
        whole_digits = 0;
        --length;
    }
    const int count = width - length;
    if (count < 0 || count > 4) return nullptr;
    std::memcpy(out, "    ", 4);
    out += count;
    if (minus) *out++ = '-';
    char text[8];
    eight_digits(text, scaled);
    // The whole digits, the point (which stays without decimals: "12345.")
    // and the decimals.
    const char* from = text + 8 - decimals - whole_digits;
    for (int i = 0; i < whole_digits; ++i) *out++ = from[i];
    *out++ = '.';
    for (int i = 8 - decimals; i < 8; ++i) *out++ = text[i];
    return out;
}

}  // namespace

char* write_iw(char* out, std::int64_t value, int width) {
    char buffer[24];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, value);
    Pieces p;
    p.text = buffer;
    p.text_length = static_cast<int>(r.ptr - buffer);
    return place(out, width, p);
}

char* write_fw(char* out, double value, int width, int decimals) {
    if (width == 7 && decimals == 2)
        if (char* end = constant_fixed<7, 2>(out, value)) return end;
    char* end = decimals == 2 ? quick_fixed<2>(out, value, width, decimals)
                              : quick_fixed(out, value, width, decimals);
    if (end != nullptr) return end;
    // The shortest text is the point and the decimals.
    if (!std::isfinite(value) || decimals < 0 || decimals + 1 > width)
        return write_asterisks(out, width);
    const double magnitude = std::fabs(value);
    // At least width + 1 digits before the point.
    if (width < 23 && magnitude >= power_of_ten(width)) return write_asterisks(out, width);
    std::uint64_t scaled = 0;
    if (fast_fixed(magnitude, decimals, scaled))
        return place_fixed(out, value < 0, width, scaled, decimals);
    char buffer[LONGEST_TEXT];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                 std::chars_format::fixed, decimals);
    if (r.ec != std::errc()) return write_asterisks(out, width);
    Pieces p;
    p.text = buffer;
    p.text_length = static_cast<int>(r.ptr - buffer);
    p.point = decimals == 0;  // the point stays even without decimals ("12345.")
    if (value < 0) {
        for (const char* d = buffer; d < r.ptr; ++d) {
            if (*d >= '1' && *d <= '9') {
                p.minus = true;  // a result whose digits are all zero has no sign
                break;
            }
        }
    }
    // The zero before the point goes when that is what it takes to fit.
    const bool leading_zero = buffer[0] == '0' && (p.text_length == 1 ? p.point : buffer[1] == '.');
    if (p.length() > width && leading_zero) {
        ++p.text;
        --p.text_length;
    }
    return place(out, width, p);
}

// The fields the programs write most get code of their own.
char* write_ew(char* out, double value, int width, int decimals) {
    if (width == 9 && decimals == 2) {
        if (char* end = constant_scientific<9, 2>(out, value)) return end;
    } else if (width == 10 && decimals == 3) {
        if (char* end = constant_scientific<10, 3>(out, value)) return end;
    }
    char* end = decimals == 2   ? quick_scientific<2>(out, value, width, decimals, 0)
                : decimals == 7 ? quick_scientific<7>(out, value, width, decimals, 0)
                                : quick_scientific(out, value, width, decimals, 0);
    if (end != nullptr) return end;
    return write_scientific(out, value, width, decimals, false);
}

char* write_ew_wide_exponent(char* out, double value, int width, int decimals) {
    if (width == 15 && decimals == 7)
        if (char* end = constant_scientific<15, 7>(out, value)) return end;
    char* end = decimals == 7 ? quick_scientific<7>(out, value, width, decimals, 1)
                              : quick_scientific(out, value, width, decimals, 1);
    if (end != nullptr) return end;
    return write_scientific(out, value, width, decimals, true);
}

std::string format_iw(std::int64_t value, int width) {
    std::string text(static_cast<std::size_t>(width > 0 ? width : 0), ' ');
    write_iw(text.data(), value, width);
    return text;
}

std::string format_fw(double value, int width, int decimals) {
    std::string text(static_cast<std::size_t>(width > 0 ? width : 0), ' ');
    write_fw(text.data(), value, width, decimals);
    return text;
}

std::string format_ew(double value, int width, int decimals) {
    std::string text(static_cast<std::size_t>(width > 0 ? width : 0), ' ');
    write_ew(text.data(), value, width, decimals);
    return text;
}

std::string format_ew_wide_exponent(double value, int width, int decimals) {
    std::string text(static_cast<std::size_t>(width > 0 ? width : 0), ' ');
    write_ew_wide_exponent(text.data(), value, width, decimals);
    return text;
}

std::string asterisks(int width) {
    return std::string(width > 0 ? width : 0, '*');
}

std::string right_align(const std::string& text, int width) {
    if (static_cast<int>(text.size()) > width) return asterisks(width);
    return std::string(width - text.size(), ' ') + text;
}

}  // namespace fields
