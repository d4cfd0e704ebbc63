// Fixed-width number fields shared by the solver and the plotter.
//
// Iw   integer, right-aligned in w columns.
// Fw.d fixed notation with d decimals, right-aligned in w columns; a zero
//      stands before the point for magnitudes below 1 when there is room.
// Ew.d scientific notation with one digit before the point (0 for zero),
//      d decimals, "E", the exponent's sign and two exponent digits.
// Negative values carry a minus sign, positive ones no sign. A value that
// does not fit its field (or is not finite) is written as w asterisks.
//
// The write_* functions put exactly max(w, 0) characters at `out` and return
// the position after them; they allocate nothing. The format_* functions
// return the same text as a string.
#pragma once

#include <cstdint>
#include <string>

namespace fields {

char* write_iw(char* out, std::int64_t value, int width);
char* write_fw(char* out, double value, int width, int decimals);
char* write_ew(char* out, double value, int width, int decimals);

// Like write_ew, but a value whose decimal exponent needs three digits is
// written with one decimal less and a three-digit exponent in the same
// width (1.000000E-100 for E15.7) instead of asterisks.
char* write_ew_wide_exponent(char* out, double value, int width, int decimals);

std::string format_iw(std::int64_t value, int width);
std::string format_fw(double value, int width, int decimals);
std::string format_ew(double value, int width, int decimals);
std::string format_ew_wide_exponent(double value, int width, int decimals);

// w asterisks.
std::string asterisks(int width);

// Right-aligns text in width columns; asterisks when it is longer.
std::string right_align(const std::string& text, int width);

}  // namespace fields
