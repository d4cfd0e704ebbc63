// Engineering notation of the numbers beside a diagram: a power of 1000
// with its prefix letter, fixed-width number fields whose decimals depend on
// the size of the number, and the floor function with a tolerance.
#pragma once

#include <string>

// Prefix character of the micro prefix (code page 437).
constexpr char MICRO_PREFIX = static_cast<char>(0xE6);

// trunc(x) for x >= 0; trunc(0.99999 x) - 1 for x < 0: the floor, except that
// a negative x a hair below an integer yields that integer.
int floor_tol(float x);

// Chooses prefix and scale (a power of 1000) for value. With keep, the
// current prefix stays while value lies between 0.1 and 10000 of its unit;
// returns true when such a kept prefix had to change (the caller announces
// it), false otherwise.
bool choose_prefix(float value, char& prefix, float& scale, bool keep);

// The text of value in exactly `width` (6, 7 or 10) characters, divided by
// scale; a "*" prefix writes the unscaled value in exponent form.
std::string format_number(int width, float value, float scale, char prefix);
