#include "fixed_fields.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace fields {

namespace {

// Longest digit string the writers produce; a fixed-notation value that
// needs more is written as asterisks.
constexpr int LONGEST_TEXT = 511;

char* repeat(char* out, char c, int count) {
    if (count <= 0) return out;
    std::memset(out, c, static_cast<std::size_t>(count));
    return out + count;
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
    std::memcpy(out, p.text, static_cast<std::size_t>(p.text_length));
    out += p.text_length;
    if (p.point) *out++ = '.';
    if (p.exponent_length > 0) std::memcpy(out, p.exponent, static_cast<std::size_t>(p.exponent_length));
    return out + p.exponent_length;
}

// Scientific notation of a finite magnitude, correctly rounded to the given
// decimals: the mantissa digits ("d.ddd", or "d" without decimals) and the
// decimal exponent. False when the buffer is too short.
bool scientific(double magnitude, int decimals, char* buffer, int size, int& mantissa_length,
                int& exponent) {
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

// "E", the exponent's sign and at least `digits` digits.
int exponent_text(int exponent, int digits, char* out) {
    out[0] = 'E';
    out[1] = exponent < 0 ? '-' : '+';
    int magnitude = exponent < 0 ? -exponent : exponent;
    char reversed[12];
    int count = 0;
    do {
        reversed[count++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude > 0);
    while (count < digits) reversed[count++] = '0';
    for (int i = 0; i < count; ++i) out[2 + i] = reversed[count - 1 - i];
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

constexpr double POWERS_OF_TEN[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                    1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                    1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

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
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::fixed, decimals);
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
