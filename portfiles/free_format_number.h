// The one number scanner of free-format text, shared by the solver's input
// reader, the plotter's parameter-file reader and the readers of this
// library.
//
// A field is a plain decimal number or it is not a number at all: no
// repeat counts (3*0.0), no hexadecimal, no inf or nan, nothing after the
// number. Reals take an optional sign, digits with an optional decimal
// point (at least one digit in all) and an optional exponent introduced by
// E, e, D or d with an optional sign and at least one digit.
#pragma once

#include <cstdint>
#include <string_view>

namespace portfiles {

// A decimal integer with an optional sign that fits 32 bits.
bool parse_integer(std::string_view text, std::int32_t& value);

// A real converted straight to 32 bits (correctly rounded, never through 64
// bits); it must be finite there. An underflow gives 0 or a subnormal.
bool parse_real(std::string_view text, float& value);

// The same, converted to 64 bits; it must be finite there.
bool parse_real(std::string_view text, double& value);

}  // namespace portfiles
