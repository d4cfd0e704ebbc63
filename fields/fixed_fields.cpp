#include "fixed_fields.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstring>

namespace fields {

namespace {

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

char* write_asterisks(char* out, int width) { return repeat(out, '*', width); }

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

constexpr double POWERS_OF_TEN[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                    1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                    1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int EXACT_POWER = 22;  // the powers of ten up to here are exact doubles

// magnitude x 10^power rounded to the nearest integer, when double
// arithmetic decides that for certain: the powers are exact, each product or
// quotient is rounded once, so the computed value is within 2^-52 of the
// true one relative to it; a result that close to a tie (or too large to
// keep a fraction) is left to the exact conversion (false).
bool round_scaled(double magnitude, int power, std::uint64_t& rounded) {
    if (power < -2 * EXACT_POWER || power > 2 * EXACT_POWER) return false;
    double m = magnitude;
    if (power > EXACT_POWER) {
        m *= POWERS_OF_TEN[EXACT_POWER];
        power -= EXACT_POWER;
    } else if (power < -EXACT_POWER) {
        m /= POWERS_OF_TEN[EXACT_POWER];
        power += EXACT_POWER;
    }
    m = power >= 0 ? m * POWERS_OF_TEN[power] : m / POWERS_OF_TEN[-power];
    if (!(m < 1.0e15)) return false;
    const auto whole = static_cast<std::uint64_t>(m);  // m >= 0: truncation is floor
    const double fraction = m - static_cast<double>(whole);  // exact
    if (std::fabs(fraction - 0.5) <= m * 0x1p-50 + 0x1p-1000) return false;
    rounded = whole + (fraction > 0.5 ? 1 : 0);
    return true;
}

constexpr std::uint64_t INTEGER_POWERS[] = {1ULL,
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

// The `count` lowest decimal digits of value, with leading zeros.
void put_digits(char* out, std::uint64_t value, int count) {
    for (int i = count - 1; i >= 0; --i) {
        out[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
}

// value / 10^decimals written with `whole_digits` digits before the point
// and `decimals` after it (no point without decimals); the length.
int put_decimal(char* out, std::uint64_t value, int whole_digits, int decimals) {
    const int length = decimals > 0 ? whole_digits + 1 + decimals : whole_digits;
    for (int i = length - 1; i >= 0; --i) {
        if (i == whole_digits) {
            out[i] = '.';
            continue;
        }
        out[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
    return length;
}

// Scientific digits ("d.ddd" or "d") and decimal exponent of a positive
// finite magnitude rounded to `decimals` decimals, without the exact
// conversion; false when round_scaled cannot decide.
bool fast_scientific(double magnitude, int decimals, char* buffer, int& mantissa_length, int& exponent) {
    if (decimals > 14) return false;
    if (magnitude == 0.0) {
        buffer[0] = '0';
        buffer[1] = '.';
        std::memset(buffer + 2, '0', static_cast<std::size_t>(decimals));
        mantissa_length = decimals > 0 ? decimals + 2 : 1;
        exponent = 0;
        return true;
    }
    // An estimate of floor(log10(magnitude)) from the binary exponent,
    // corrected below.
    const int binary_exponent =
        static_cast<int>((std::bit_cast<std::uint64_t>(magnitude) >> 52) & 0x7ff) - 1023;
    if (binary_exponent == -1023) return false;  // subnormal
    int e = (binary_exponent * 78913) >> 18;     // floor(binary_exponent log10(2))
    std::uint64_t m = 0;
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (!round_scaled(magnitude, decimals - e, m)) return false;
        if (m < INTEGER_POWERS[decimals]) {
            --e;  // the estimate was one too high
        } else if (m > INTEGER_POWERS[decimals + 1]) {
            ++e;  // one too low
        } else {
            if (m == INTEGER_POWERS[decimals + 1]) {  // 9.99..95 rounds to 10.00..0
                m = INTEGER_POWERS[decimals];
                ++e;
            }
            mantissa_length = put_decimal(buffer, m, 1, decimals);
            exponent = e;
            return true;
        }
    }
    return false;
}

// Fixed digits ("ddd.ddd" or "ddd") of a finite magnitude rounded to
// `decimals` decimals, without the exact conversion; the length, or 0 when
// round_scaled cannot decide.
int fast_fixed(double magnitude, int decimals, char* buffer) {
    std::uint64_t m = 0;
    if (decimals > 14 || !round_scaled(magnitude, decimals, m)) return 0;
    int digits = 1;
    while (digits < 16 && m >= INTEGER_POWERS[digits]) ++digits;
    return put_decimal(buffer, m, digits > decimals ? digits - decimals : 1, decimals);
}

// Scientific notation of a finite magnitude, correctly rounded to the given
// decimals: the mantissa digits ("d.ddd", or "d" without decimals) and the
// decimal exponent. False when the buffer is too short.
bool scientific(double magnitude, int decimals, char* buffer, int size, int& mantissa_length,
                int& exponent) {
    if (fast_scientific(magnitude, decimals, buffer, mantissa_length, exponent)) return true;
    const auto r = std::to_chars(buffer, buffer + size, magnitude, std::chars_format::scientific, decimals);
    if (r.ec != std::errc()) return false;
    const char* e = r.ptr;
    while (*--e != 'e') {
    }
    mantissa_length = static_cast<int>(e - buffer);
    int value = 0;
    for (const char* d = e + 2; d < r.ptr; ++d) value = value * 10 + (*d - '0');
    exponent = e[1] == '-' ? -value : value;
    return true;
}

// "E", the exponent's sign and at least `digits` digits (a double's decimal
// exponent has at most three).
int exponent_text(int exponent, int digits, char* out) {
    out[0] = 'E';
    out[1] = exponent < 0 ? '-' : '+';
    const int magnitude = exponent < 0 ? -exponent : exponent;
    const int count = magnitude >= 100 && digits < 3 ? 3 : digits;
    put_digits(out + 2, static_cast<std::uint64_t>(magnitude), count);
    return 2 + count;
}

// Ew.d with `exponent_digits` exponent digits of the mantissa already in
// buffer.
char* place_scientific(char* out, double value, int width, int decimals, const char* mantissa,
                       int mantissa_length, int exponent, int exponent_digits) {
    char exponent_buffer[16];
    Pieces p;
    // A nonzero value never rounds to a zero mantissa, and -0 compares equal
    // to 0: only values with a nonzero digit get the sign.
    p.minus = value < 0;
    p.text = mantissa;
    p.text_length = mantissa_length;
    p.point = decimals == 0;  // the point stays even without decimals ("1.E+04")
    p.exponent = exponent_buffer;
    p.exponent_length = exponent_text(exponent, exponent_digits, exponent_buffer);
    return place(out, width, p);
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
    // The shortest text is the point and the decimals.
    if (!std::isfinite(value) || decimals < 0 || decimals + 1 > width) return write_asterisks(out, width);
    const double magnitude = std::fabs(value);
    // At least width + 1 digits before the point.
    if (width < 23 && magnitude >= POWERS_OF_TEN[width]) return write_asterisks(out, width);
    char buffer[LONGEST_TEXT];
    int length = fast_fixed(magnitude, decimals, buffer);
    if (length == 0) {
        const auto r = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::fixed, decimals);
        if (r.ec != std::errc()) return write_asterisks(out, width);
        length = static_cast<int>(r.ptr - buffer);
    }
    Pieces p;
    p.text = buffer;
    p.text_length = length;
    p.point = decimals == 0;  // the point stays even without decimals ("12345.")
    if (value < 0) {
        for (const char* d = buffer; d < buffer + length; ++d) {
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

char* write_ew(char* out, double value, int width, int decimals) {
    // The shortest text is d.<decimals>E+dd.
    if (!std::isfinite(value) || decimals < 0 || decimals + 6 > width) return write_asterisks(out, width);
    char buffer[LONGEST_TEXT];
    int mantissa_length = 0;
    int exponent = 0;
    if (!scientific(std::fabs(value), decimals, buffer, sizeof buffer, mantissa_length, exponent) ||
        exponent > 99 || exponent < -99)
        return write_asterisks(out, width);
    return place_scientific(out, value, width, decimals, buffer, mantissa_length, exponent, 2);
}

char* write_ew_wide_exponent(char* out, double value, int width, int decimals) {
    if (!std::isfinite(value) || decimals < 1 || decimals + 6 > width) return write_asterisks(out, width);
    char buffer[LONGEST_TEXT];
    int mantissa_length = 0;
    int exponent = 0;
    const double magnitude = std::fabs(value);
    if (!scientific(magnitude, decimals, buffer, sizeof buffer, mantissa_length, exponent))
        return write_asterisks(out, width);
    if (exponent >= -99 && exponent <= 99)
        return place_scientific(out, value, width, decimals, buffer, mantissa_length, exponent, 2);
    // One decimal less can only round up, so the exponent keeps three digits.
    scientific(magnitude, decimals - 1, buffer, sizeof buffer, mantissa_length, exponent);
    return place_scientific(out, value, width, decimals - 1, buffer, mantissa_length, exponent, 3);
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

std::string asterisks(int width) { return std::string(width > 0 ? width : 0, '*'); }

std::string right_align(const std::string& text, int width) {
    if (static_cast<int>(text.size()) > width) return asterisks(width);
    return std::string(width - text.size(), ' ') + text;
}

}  // namespace fields
