#include "free_format_number.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace portfiles {

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Checks the syntax of a real and writes it in the form strtod and strtof
// read (exponent letter e). False if it is not a plain decimal real.
bool normalise_real(std::string_view text, std::string& normalised) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t mantissa_digits = 0;
    while (i < text.size() && is_digit(text[i])) ++i, ++mantissa_digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && is_digit(text[i])) ++i, ++mantissa_digits;
    }
    if (mantissa_digits == 0) return false;
    normalised.assign(text.substr(0, i));
    if (i < text.size()) {
        char e = text[i];
        if (e != 'e' && e != 'E' && e != 'd' && e != 'D') return false;
        normalised += 'e';
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) normalised += text[i++];
        std::size_t exponent_digits = 0;
        while (i < text.size() && is_digit(text[i])) normalised += text[i++], ++exponent_digits;
        if (exponent_digits == 0 || i != text.size()) return false;
    }
    return true;
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

template <class Real, class Convert>
bool parse_real_with(std::string_view text, Real& value, Convert convert) {
    std::string normalised;
    if (!normalise_real(text, normalised)) return false;
    const Real parsed = convert(normalised.c_str());
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
