// The system of nodal equations of one frequency, A u = x, in the storage that
// suits the network: dense (the reference) or sparse. Both are filled through
// the same operations in the same order, so A holds the same values in both.
#pragma once

#include "linear_algebra.h"

namespace solver {

enum class SolveStatus { SOLVED, SINGULAR, OUT_OF_MEMORY };

class NodalEquations {
public:
    virtual ~NodalEquations() = default;

    // A := 0.
    virtual void clear() = 0;
    // Element (row, column) of A, 0-based. Sparse storage holds only the
    // positions of the network's pattern; others must not be asked for.
    virtual ComplexD& at(int row, int column) = 0;
    // Replaces a line's columns first .. first + 2n - 1 (all rows) by
    // themselves times its wave map W = [[V, V E], [V E, V]] (2n x 2n,
    // leading dimension ldw; E = diag(e)), which a storage may use in
    // factored form. Rows whose entries in these columns are all zero stay
    // zero.
    virtual void substitute_line_columns(int first, int n, const ComplexD* w, int ldw, const ComplexD* e) = 0;
    // Factorises A and solves A u = x for `count` right-hand sides, the
    // columns of x (leading dimension ldx), which are replaced by u.
    virtual SolveStatus solve(ComplexD* x, int count, int ldx) = 0;
};

}  // namespace solver
