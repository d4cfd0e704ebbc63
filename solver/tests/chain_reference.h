// An independent double-precision solution of a network for the accuracy
// tests: every line enters through its chain matrix, the matrix exponential
// of its telegrapher's equations (no eigen-decomposition), stamped as an
// admittance into a plain nodal matrix with the same lumped elements, ground
// conductances and port terminations as the solver.
#pragma once

#include <complex>
#include <vector>

#include "solver_run.h"

namespace solver_test {

using CD = std::complex<double>;

// Dense column-major matrix.
struct DenseMatrix {
    int rows = 0, columns = 0;
    std::vector<CD> v;
    DenseMatrix(int r = 0, int c = 0) : rows(r), columns(c), v(static_cast<size_t>(r) * c) {}
    CD& operator()(int i, int j) { return v[i + static_cast<size_t>(j) * rows]; }
    CD operator()(int i, int j) const { return v[i + static_cast<size_t>(j) * rows]; }
};

DenseMatrix multiply(const DenseMatrix& a, const DenseMatrix& b);
// X with A X = B, by elimination with partial pivoting.
DenseMatrix solve(DenseMatrix a, DenseMatrix b);
DenseMatrix exponential(DenseMatrix x);

// S, Z and Y of the network in the run's tables at frequency f.
struct PortMatrices {
    DenseMatrix s, z, y;
};
PortMatrices reference_port_matrices(const solver::SolverRun& run, float f);

}  // namespace solver_test
