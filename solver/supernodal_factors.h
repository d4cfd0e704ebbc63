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

    // Factors with this one's structure (the pivot order and the
    // supernodes, shared and only read) and values of their own, for
    // another worker; they hold values only after their first refactor.
    // Reads nothing that refactor or solve change, so the other worker may
    // call it while this one is in use. Null when memory ran out.
    std::unique_ptr<SupernodalFactors> with_same_structure() const;

    // Factorises `values` (in the pattern's order) with the fixed pivot
    // order. False when a pivot came out zero or not finite.
    bool refactor(const ComplexD* values);
    // Replaces the `count` columns of x (leading dimension ldx) by the
    // solutions of A u = x with the factors of the last refactor.
    void solve(ComplexD* x, int count, int ldx);

private:
    struct Segment {  // U(first .. first + length - 1, k): the tail of a supernode
        int supernode;
        int first;    // local column of the supernode
        int length;
        int offset;   // into the values of U
    };

    // What the first factors fixed; never changed once created.
    struct Structure {
        int n = 0;
        const int* column_start = nullptr;
        const int* row_index = nullptr;
        std::vector<int> row_of_pivot;     // original row of pivotal row k
        std::vector<int> pivot_of_row;     // its inverse
        std::vector<int> column_of_pivot;  // original column of pivotal column k
        // Supernode s: columns first_column[s] .. first_column[s + 1] - 1;
        // rows rows[row_start[s] ..] (its own columns, then the rows below),
        // L column-major over them from value_start[s] (real and imaginary
        // parts apart); value_start's last entry is the size of L.
        std::vector<int> first_column;
        std::vector<int> supernode_of;  // of each column
        std::vector<int> row_start;
        std::vector<int> rows;
        std::vector<long> value_start;
        // U without its diagonal, column by column as tails of supernodes.
        std::vector<int> segment_start;
        std::vector<Segment> segments;
        long u_size = 0;
        int widest = 0;  // rows of the tallest supernode
    };

    explicit SupernodalFactors(std::shared_ptr<const Structure> structure);

    // The values are obtained without being set: each refactor writes
    // every value it or solve reads, so no page is touched before the
    // worker's first refactorisation.
    using Values = std::unique_ptr<double[]>;
    std::shared_ptr<const Structure> structure_;
    Values l_re_, l_im_;
    Values u_re_, u_im_;
    Values diagonal_re_, diagonal_im_;  // the inverses of U's diagonal
    // Work: the scattered column (zero between refactorisations), a
    // supernode's gathered rows, the solutions in pivotal order.
    Values x_re_, x_im_;
    Values t_re_, t_im_;
    Values y_re_, y_im_;
};

}  // namespace solver
