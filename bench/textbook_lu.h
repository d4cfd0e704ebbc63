#pragma once

#include "complex_types.h"

// The plain right-looking LU factorisation with partial pivoting found in
// every textbook (unit lower triangle, physical row exchanges, one rank-1
// update of the trailing matrix per column), kept as the same-run baseline
// for the solver kernel.
bool textbook_factorise(ComplexD* a, int n, int lda, int* pivots);
void textbook_substitute(const ComplexD* a, int n, int lda, const int* pivots, ComplexD* b);
