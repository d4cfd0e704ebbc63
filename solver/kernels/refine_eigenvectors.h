#pragma once

#include "complex_types.h"

// Refinement of the eigenpairs that the single-precision decomposition
// delivers, in double precision.
//
// The LR iteration works with non-unitary transformations; when eigenvalues
// lie close together (the modes of a line with many similar conductors) the
// eigenvectors it back-substitutes can come out with residuals
// ||A v - w v|| of several parts in 1E4 of ||A||, and those of a cluster of
// nearly equal eigenvalues close to linearly dependent.

constexpr int REFINE_MAX_ORDER = 32;

// A pair (w, v) with ||A v - w v|| <= EIGEN_ROUNDING_RESIDUAL ||A||_F ||v|| is
// as good as single-precision numbers can hold it.
constexpr double EIGEN_ROUNDING_RESIDUAL = 2.0 * 1.1921e-7;

// Caller-provided workspace (nothing is allocated).
struct RefineWork {
    ComplexD a[REFINE_MAX_ORDER * REFINE_MAX_ORDER];          // A in double precision
    ComplexD v[REFINE_MAX_ORDER * REFINE_MAX_ORDER];          // eigenvectors, unit length
    ComplexD factors[REFINE_MAX_ORDER * REFINE_MAX_ORDER];    // LU factors of v
    ComplexD residual[REFINE_MAX_ORDER * REFINE_MAX_ORDER];   // A v_j - w_j v_j, then in the basis v
    ComplexD candidate[REFINE_MAX_ORDER * REFINE_MAX_ORDER];  // corrected vectors
    ComplexD lambda[REFINE_MAX_ORDER];
    ComplexD candidate_lambda[REFINE_MAX_ORDER];
    ComplexD rhs[REFINE_MAX_ORDER];
    ComplexD x[REFINE_MAX_ORDER];
    double residual_norm[REFINE_MAX_ORDER];
    int order[REFINE_MAX_ORDER];
    int cluster[REFINE_MAX_ORDER];  // representative of the column's cluster
};

// Brings every eigenpair (w[j], column j of z) of A (n x n, leading dimension
// lda; z with leading dimension ldz, columns of any nonzero length) whose
// residual is above the rounding level down to it. All poor pairs are
// corrected together by Newton steps on the eigen-equation in the basis of
// the current eigenvectors: a pair is decoupled from every other pair whose
// eigenvalue is well separated from its own, relative to their coupling;
// pairs that are not form a cluster, whose block is diagonalised as a whole
// (the scaled block by the single-precision decomposition and this
// refinement again), so that the cluster's vectors span its invariant
// subspace and stay independent even where each alone is ill-determined.
// A correction is kept only where it lowers the residual. Pairs at the
// rounding level are left exactly as they are; corrected columns come back
// with unit length.
void refine_eigenvectors(const ComplexF* a, int n, int lda, ComplexF* w, ComplexF* z, int ldz,
                         RefineWork& work);
