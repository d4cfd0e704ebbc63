#pragma once

#include "complex_types.h"

// C = A B with A m x k, B k x n and C m x n, all stored column by column:
// element (i, j) (0-based) of A is a[i + j * lda]. Every element of C is
// summed from l = 0 upward, starting from 0. C must not overlap A or B.
void multiply_matrices(const ComplexF* a, const ComplexF* b, ComplexF* c, int m, int n, int k,
                       int lda, int ldb, int ldc);
void multiply_matrices(const ComplexD* a, const ComplexD* b, ComplexD* c, int m, int n, int k,
                       int lda, int ldb, int ldc);
