#pragma once

#include "complex_types.h"

// Solves A x = b for A n x n (column by column, leading dimension lda) by a
// Crout factorisation with partial pivoting: A = P^T L U with L lower
// triangular carrying the pivots on its diagonal and U unit upper triangular.
//
// reuse == 0: A is factorised and error cleared. The pivot of column k is the
// entry of largest modulus among the not yet used rows, scanned downward in
// the current row order; a later row replaces the candidate only when its
// modulus is strictly larger. An exactly zero pivot sets error to 1 and
// returns at once (x is not written).
// reuse != 0: A and order must hold the factors and row order of an earlier
// successful call; only the substitutions run and error is left as it is.
//
// Layout of the factors (the rows are exchanged physically while factorising):
//   - a[i + i * lda] is the pivot L(i, i); below the diagonal L, above it U
//     (the unit diagonal of U is not stored);
//   - order[i] is the index of the original row (equation) that became row i
//     of the factors, so b[order[i]] is the right-hand side of factor row i.
// b is overwritten: it first receives the forward-substitution result y and
// ends with b[order[i]] == x[i]. b and x must not overlap.
void solve_linear_system(ComplexD* a, ComplexD* b, ComplexD* x, int n, int lda, int reuse,
                         int& error, int* order);
