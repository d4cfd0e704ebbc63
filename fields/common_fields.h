// The fields the programs write most, for writers of many of them: the same
// text as the general writers of fixed_fields.h, in code that is placed in
// the caller (the common values take no call).
#pragma once

#include "constant_fields.h"
#include "fixed_fields.h"

namespace fields {

// Ew.d with the wide exponent in 15 columns with 7 decimals.
[[gnu::always_inline]] inline char* write_e15_7_wide_exponent(char* out, double value) {
    if (char* end = decimal::constant_scientific<15, 7>(out, value)) return end;
    return write_ew_wide_exponent(out, value, 15, 7);
}

inline char* write_e9_2(char* out, double value) {
    if (char* end = decimal::constant_scientific<9, 2>(out, value)) return end;
    return write_ew(out, value, 9, 2);
}

inline char* write_e10_3(char* out, double value) {
    if (char* end = decimal::constant_scientific<10, 3>(out, value)) return end;
    return write_ew(out, value, 10, 3);
}

inline char* write_f7_2(char* out, double value) {
    if (char* end = decimal::constant_fixed<7, 2>(out, value)) return end;
    return write_fw(out, value, 7, 2);
}

}  // namespace fields
