#pragma once

#include "complex_types.h"

// Gauss-Jordan inversion in place with row interchanges: A (n x n, column by
// column with leading dimension lda) is replaced by its inverse.
//
// The pivot of column k is the entry of largest modulus in rows k .. n-1,
// scanned downward; a later row replaces the candidate only when its modulus
// is strictly larger. swaps (n ints of work) receives the row exchanged with
// row k (k itself when none). On an exactly zero pivot error is set to 1 and
// A is left partly transformed; error is never cleared, so callers clear it
// beforehand.
void invert_matrix(ComplexF* a, int n, int lda, int* swaps, int& error);
void invert_matrix(ComplexD* a, int n, int lda, int* swaps, int& error);
