// Plausibility of a transmission line's per-unit-length matrices, judged in
// 64 bits once when the line is read. The modal analysis is not touched:
// these answers only feed warnings.
#pragma once

#include <optional>

#include "solver_tables.h"

namespace solver {

using LineMatrix = float[MAX_CONDUCTORS][MAX_CONDUCTORS];

// An entry (0-based row and column) and how many entries share its fault.
struct MatrixFinding {
    int row = 0;
    int column = 0;
    int count = 0;
};

// Among the pairs (i, j), (j, i) whose values differ by more than 1 % of
// the larger magnitude, the one that differs most (row < column).
std::optional<MatrixFinding> worst_unsymmetric_pair(const LineMatrix& m, int n);

// The first positive entry off the diagonal (row < column) of a symmetric
// matrix.
std::optional<MatrixFinding> first_positive_off_diagonal(const LineMatrix& m, int n);

// Whether the symmetric matrix has a Cholesky factor.
bool is_positive_definite(const LineMatrix& m, int n);

// Slowest and fastest lossless wave speed of the line's modes in m/s,
// 1 / sqrt(eigenvalue) over the eigenvalues of [L][C]. Empty unless both
// symmetric matrices are positive definite.
struct SpeedRange {
    double slowest = 0.0;
    double fastest = 0.0;
};
std::optional<SpeedRange> lossless_speed_range(const LineMatrix& inductance, const LineMatrix& capacitance, int n);

// Whether every lossless wave speed of the line's modes lies in [slowest,
// fastest] m/s, known without the eigenvalues (two factorisations instead
// of an eigen-decomposition) and with a margin far above their rounding:
// true only where lossless_speed_range gives speeds inside the interval;
// false where it may not (a speed outside, near a bound, or none).
bool lossless_speeds_within(const LineMatrix& inductance, const LineMatrix& capacitance, int n, double slowest,
                            double fastest);

}  // namespace solver
