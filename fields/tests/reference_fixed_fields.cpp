#include "reference_fixed_fields.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace reference {

std::string asterisks(int width) { return std::string(width > 0 ? width : 0, '*'); }

std::string right_align(const std::string& text, int width) {
    if (static_cast<int>(text.size()) > width) return asterisks(width);
    return std::string(width - text.size(), ' ') + text;
}

std::string format_iw(std::int64_t value, int width) {
    return right_align(std::to_string(value), width);
}

namespace {

bool has_nonzero_digit(const std::string& s) {
    for (char c : s)
        if (c >= '1' && c <= '9') return true;
    return false;
}

// Mantissa and exponent of |value| in scientific notation with the given
// decimals, rounded to nearest. The mantissa keeps its point even for 0
// decimals ("1.").
void split_scientific(double magnitude, int decimals, std::string& mantissa, int& exponent) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%#.*e", decimals, magnitude);
    std::string s(buf);
    auto e = s.find('e');
    mantissa = s.substr(0, e);
    exponent = std::atoi(s.c_str() + e + 1);
}

std::string exponent_text(int exponent, int digits) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "E%c%0*d", exponent < 0 ? '-' : '+', digits, std::abs(exponent));
    return buf;
}

}  // namespace

std::string format_fw(double value, int width, int decimals) {
    if (!std::isfinite(value) || decimals < 0) return asterisks(width);
    char buf[512];
    int n = std::snprintf(buf, sizeof buf, "%#.*f", decimals, std::fabs(value));
    if (n < 0 || n >= static_cast<int>(sizeof buf)) return asterisks(width);
    std::string digits(buf);
    // A result whose printed digits are all zero carries no minus sign.
    std::string sign = (value < 0 && has_nonzero_digit(digits)) ? "-" : "";
    std::string text = sign + digits;
    if (static_cast<int>(text.size()) <= width) return right_align(text, width);
    if (digits.size() > 1 && digits[0] == '0' && digits[1] == '.') {
        text = sign + digits.substr(1);  // drop the optional leading zero
        if (static_cast<int>(text.size()) <= width) return right_align(text, width);
    }
    return asterisks(width);
}

std::string format_ew(double value, int width, int decimals) {
    if (!std::isfinite(value) || decimals < 0) return asterisks(width);
    std::string mantissa;
    int exponent = 0;
    split_scientific(std::fabs(value), decimals, mantissa, exponent);
    if (std::abs(exponent) > 99) return asterisks(width);
    std::string sign = (value < 0 && has_nonzero_digit(mantissa)) ? "-" : "";
    return right_align(sign + mantissa + exponent_text(exponent, 2), width);
}

std::string format_ew_wide_exponent(double value, int width, int decimals) {
    if (!std::isfinite(value) || decimals < 1) return asterisks(width);
    std::string mantissa;
    int exponent = 0;
    split_scientific(std::fabs(value), decimals, mantissa, exponent);
    if (std::abs(exponent) <= 99) return format_ew(value, width, decimals);
    split_scientific(std::fabs(value), decimals - 1, mantissa, exponent);
    std::string sign = (value < 0 && has_nonzero_digit(mantissa)) ? "-" : "";
    return right_align(sign + mantissa + exponent_text(exponent, 3), width);
}

}  // namespace reference
