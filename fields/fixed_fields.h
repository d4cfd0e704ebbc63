// Fixed-width number fields shared by the solver and the plotter.
//
// Iw   integer, right-aligned in w columns.
// Fw.d fixed notation with d decimals, right-aligned in w columns; a zero
//      stands before the point for magnitudes below 1 when there is room.
// Ew.d scientific notation with one digit before the point (0 for zero),
//      d decimals, "E", the exponent's sign and two exponent digits.
// Negative values carry a minus sign, positive ones no sign. A value that
// does not fit its field (or is not finite) is written as w asterisks.
#pragma once

#include <cstdint>
#include <string>

namespace fields {

std::string format_iw(std::int64_t value, int width);
std::string format_fw(double value, int width, int decimals);
std::string format_ew(double value, int width, int decimals);

// Like format_ew, but a value whose decimal exponent needs three digits is
// written with one decimal less and a three-digit exponent in the same
// width (1.000000E-100 for E15.7) instead of asterisks.
std::string format_ew_wide_exponent(double value, int width, int decimals);

// w asterisks.
std::string asterisks(int width);

// Right-aligns text in width columns; asterisks when it is longer.
std::string right_align(const std::string& text, int width);

}  // namespace fields
