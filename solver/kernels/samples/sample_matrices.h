#pragma once

// Matrices for exercising the kernels in tests and benchmarks: random dense
// matrices, node matrices shaped like those of a network with lines, and the
// product Z'Y' of the per-unit-length matrices of multiconductor lines.

#include "complex_types.h"

// Entries with real and imaginary parts uniform in [-1, 1), reproducible
// from the seed.
void fill_random(ComplexD* a, int rows, int columns, int lda, unsigned seed);
void fill_random(ComplexF* a, int rows, int columns, int lda, unsigned seed);

// A nodal admittance matrix of n nodes: lumped elements between neighbouring
// and random nodes, a small conductance to ground at every node, and blocks
// of columns replaced by the block times a dense wave map with line-current
// terms added, as a line stamp leaves them. Non-symmetric; needs pivoting.
void fill_network_like(ComplexD* a, int n, int lda, unsigned seed);

enum class LineLayout {
    LADDER,          // conductors side by side, coupling decaying with distance
    RING,            // conductors on a circle: cyclic matrices, eigenvalues in pairs
    EQUAL_COUPLING,  // every pair equally coupled: one eigenvalue n - 1 times
};

struct LineSample {
    int conductors;
    double frequency;  // Hz
    LineLayout layout;
};

// P = Z'Y' with Z' = R + jwL and Y' = G + jwC of a lossy line (conductor
// losses growing with the square root of frequency, dielectric losses in
// proportion to it), formed in double precision and rounded to single.
void fill_line_product(const LineSample& line, ComplexF* p, int ldp);
