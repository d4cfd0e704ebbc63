// The first implementation of the number fields, built on snprintf: slow but
// plainly right, kept as the reference the fast writers are compared with.
#pragma once

#include <cstdint>
#include <string>

namespace reference {

std::string format_iw(std::int64_t value, int width);
std::string format_fw(double value, int width, int decimals);
std::string format_ew(double value, int width, int decimals);
std::string format_ew_wide_exponent(double value, int width, int decimals);
std::string asterisks(int width);
std::string right_align(const std::string& text, int width);

}  // namespace reference
