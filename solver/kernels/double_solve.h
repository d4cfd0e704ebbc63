#pragma once

#include "complex_types.h"

// Solves A X = B in double precision for a matrix A held in single precision
// (the per-unit-length matrices are), where the result is worth the extra
// digits: LU with partial pivoting, real and imaginary parts apart so that
// the eliminations and substitutions vectorise.

inline constexpr int DOUBLE_SOLVE_MAX_ORDER = 32;

// Caller-provided workspace (nothing is allocated).
struct DoubleSolveWork {
    double re[DOUBLE_SOLVE_MAX_ORDER * DOUBLE_SOLVE_MAX_ORDER];  // the factors
    double im[DOUBLE_SOLVE_MAX_ORDER * DOUBLE_SOLVE_MAX_ORDER];
    ComplexD pivot_inverse[DOUBLE_SOLVE_MAX_ORDER];                  // 1 / U(k, k)
    double xr[DOUBLE_SOLVE_MAX_ORDER * DOUBLE_SOLVE_MAX_ORDER];       // B row by row
    double xi[DOUBLE_SOLVE_MAX_ORDER * DOUBLE_SOLVE_MAX_ORDER];
    int order[DOUBLE_SOLVE_MAX_ORDER];                               // row exchanged with row k
};

// A is n x n with leading dimension lda, B n x count (count at most
// DOUBLE_SOLVE_MAX_ORDER) with leading dimension ldb; B is overwritten with X. False, with B untouched, when n is out of
// range, count too large or a pivot is zero (A singular in double precision).
bool solve_in_double(const ComplexF* a, int n, int lda, ComplexD* b, int count, int ldb, DoubleSolveWork& work);
