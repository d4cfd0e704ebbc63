#pragma once

// Steps of refine_eigenvectors shared between its files. Internal to the
// kernels library.

#include "eigen_decomposition.h"

namespace kernels_detail {

// Two pairs whose coupling exceeds this fraction of their eigenvalue gap are
// not decoupled by a Newton step but treated as one cluster.
constexpr double COUPLED = 0.1;

// r = A v - lambda v for A of order n in w.re, w.im; returns ||r||.
double residual(const RefineWork& w, int n, const ComplexD* v, ComplexD lambda, ComplexD* r);

// Residuals of all pairs (w.residual, w.residual_norm), and the restarts of
// the pairs far off from the Hessenberg form in double precision (see
// refine_eigenvectors); restarted[j] tells which pairs took a new vector.
void restart_pairs(RefineWork& w, int n, double norm, double tolerance, const BalancedForm& form, bool* restarted);

}  // namespace kernels_detail
