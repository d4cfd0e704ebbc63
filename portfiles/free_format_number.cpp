#include "free_format_number.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>
#include <system_error>

namespace portfiles {

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Checks the syntax of a real and writes it to `out` (text.size() + 1
// characters at least, ended by a NUL) in the form that strtod, strtof and
// std::from_chars read: exponent letter e, no plus sign before the
// mantissa. Returns its length, 0 if it is not a plain decimal real.
std::size_t normalise_real(std::string_view text, char* out) {
    std::size_t i = 0, length = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') out[length++] = '-';
        ++i;
    }
    std::size_t mantissa_digits = 0;
    while (i < text.size() && is_digit(text[i])) out[length++] = text[i++], ++mantissa_digits;
    if (i < text.size() && text[i] == '.') {
        out[length++] = text[i++];
        while (i < text.size() && is_digit(text[i])) out[length++] = text[i++], ++mantissa_digits;
    }
    if (mantissa_digits == 0) return 0;
    if (i < text.size()) {
        char e = text[i];
        if (e != 'e' && e != 'E' && e != 'd' && e != 'D') return 0;
        out[length++] = 'e';
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) out[length++] = text[i++];
        std::size_t exponent_digits = 0;
        while (i < text.size() && is_digit(text[i])) out[length++] = text[i++], ++exponent_digits;
        if (exponent_digits == 0 || i != text.size()) return 0;
    }
    out[length] = '\0';
    return length;
}

}  // namespace

bool parse_integer(std::string_view text, std::int32_t& value) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i == text.size()) return false;
    std::int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        if (!is_digit(text[i])) return false;
        magnitude = magnitude * 10 + (text[i] - '0');
        if (magnitude > 2147483648LL) return false;
    }
    std::int64_t result = negative ? -magnitude : magnitude;
    if (result > INT32_MAX || result < INT32_MIN) return false;
    value = static_cast<std::int32_t>(result);
    return true;
}

namespace {

// Fields up to this long are converted from a copy on the stack.
constexpr std::size_t SHORT_FIELD = 63;

template <class Real, class Convert>
bool parse_real_with(std::string_view text, Real& value, Convert convert) {
    char short_field[SHORT_FIELD + 1];
    std::string long_field;
    char* field = short_field;
    if (text.size() > SHORT_FIELD) {
        long_field.resize(text.size());
        field = long_field.data();  // with room for the NUL
    }
    const std::size_t length = normalise_real(text, field);
    if (length == 0) return false;
    // std::from_chars rounds correctly, as strtod and strtof do, and takes
    // a fraction of their time; a value that underflows or overflows is
    // left to them.
    Real parsed;
    const std::from_chars_result read = std::from_chars(field, field + length, parsed, std::chars_format::general);
    if (read.ec == std::errc::result_out_of_range)
        parsed = convert(field);
    else if (read.ec != std::errc() || read.ptr != field + length)
        return false;
    if (!std::isfinite(parsed)) return false;
    value = parsed;
    return true;
}

}  // namespace

// Converted straight to 32 bits: a detour through 64 bits would round twice
// and can miss the nearest 32-bit value.
bool parse_real(std::string_view text, float& value) {
    return parse_real_with(text, value, [](const char* number) { return std::strtof(number, nullptr); });
}

bool parse_real(std::string_view text, double& value) {
    return parse_real_with(text, value, [](const char* number) { return std::strtod(number, nullptr); });
}

}  // namespace portfiles
