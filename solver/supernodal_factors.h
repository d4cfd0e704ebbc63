// LU factors of the node matrix with a fixed pivot order, kept by
// supernodes: runs of columns of L that share their rows below the
// diagonal (a line's columns, in the node matrices), stored densely, so
// that a refactorisation updates whole blocks of rows at once instead of
// scattering every entry. The pivot order and the patterns of L and U are
// those of a sparse factorisation of the first matrix; every later matrix
// with the same pattern is refactorised here with that order, and solved.
#pragma once

#include <klu.h>

#include <memory>
#include <vector>

#include "linear_algebra.h"

namespace solver {

class SupernodalFactors {
public:
    // The structure of `factors` (one block, no scaling), for matrices of
    // the pattern (column_start, row_index) of order n. Null when the
    // factors do not have that form or memory ran out.
    static std::unique_ptr<SupernodalFactors> create(klu_numeric* factors, klu_symbolic* symbolic,
                                                     klu_common& common, const int* column_start,
                                                     const int* row_index, int n);

    // Factorises `values` (in the pattern's order) with the fixed pivot
    // order. False when a pivot came out zero or not finite.
    bool refactor(const ComplexD* values);
    // Replaces the `count` columns of x (leading dimension ldx) by the
    // solutions of A u = x with the factors of the last refactor.
    void solve(ComplexD* x, int count, int ldx);

private:
    SupernodalFactors() = default;

    struct Segment {  // U(first .. first + length - 1, k): the tail of a supernode
        int supernode;
        int first;    // local column of the supernode
        int length;
        int offset;   // into the values of U
    };

    int n_ = 0;
    const int* column_start_ = nullptr;
    const int* row_index_ = nullptr;
    std::vector<int> row_of_pivot_;     // original row of pivotal row k
    std::vector<int> pivot_of_row_;     // its inverse
    std::vector<int> column_of_pivot_;  // original column of pivotal column k
    // Supernode s: columns first_column_[s] .. first_column_[s + 1] - 1;
    // rows rows_[row_start_[s] ..] (its own columns, then the rows below),
    // L column-major over them from value_start_[s] (real and imaginary
    // parts apart).
    std::vector<int> first_column_;
    std::vector<int> supernode_of_;  // of each column
    std::vector<int> row_start_;
    std::vector<int> rows_;
    std::vector<long> value_start_;
    std::vector<double> l_re_, l_im_;
    // U without its diagonal, column by column as tails of supernodes.
    std::vector<int> segment_start_;
    std::vector<Segment> segments_;
    std::vector<double> u_re_, u_im_;
    std::vector<double> diagonal_re_, diagonal_im_;  // the inverses of U's diagonal
    // Work: the scattered column, a supernode's gathered rows, the
    // solutions in pivotal order.
    std::vector<double> x_re_, x_im_;
    std::vector<double> t_re_, t_im_;
    std::vector<double> y_re_, y_im_;
};

}  // namespace solver
