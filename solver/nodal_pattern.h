// Where the node matrix of a network can hold non-zero values, the same at
// every frequency: the lumped elements' entries, the ground conductance on
// the diagonal, and for every line the rows that touch its end nodes across
// all of the line's columns (its columns are replaced by themselves times the
// wave map). Stored column by column and analysed once per run for the
// sparse factorisation; shared read-only by every worker of the sweep.
#pragma once

#include <klu.h>

#include <memory>
#include <vector>

#include "solver_tables.h"

namespace solver {

class NodalPattern {
public:
    // Null when there is not enough memory for the analysis.
    static std::unique_ptr<NodalPattern> analyse(const LineTable& lines, const Network& network);
    ~NodalPattern();
    NodalPattern(const NodalPattern&) = delete;
    NodalPattern& operator=(const NodalPattern&) = delete;

    int size() const { return n_; }
    int nonzeros() const { return column_start_[n_]; }
    // Share of the n x n positions that the pattern holds.
    double density() const { return static_cast<double>(nonzeros()) / (static_cast<double>(n_) * n_); }

    // Compressed columns: the rows of column c are row_index[column_start[c]
    // .. column_start[c + 1] - 1], in increasing order.
    const int* column_start() const { return column_start_.data(); }
    const int* row_index() const { return row_index_.data(); }
    // Position of (row, column) in the values, -1 outside the pattern.
    int position(int row, int column) const;

    // The pattern's ordering for the sparse factorisation.
    klu_symbolic* symbolic() const { return symbolic_; }
    // The factorisation settings every worker uses with this pattern.
    static void factorisation_settings(klu_common& common);

private:
    NodalPattern() = default;

    int n_ = 0;
    std::vector<int> column_start_;
    std::vector<int> row_index_;
    klu_symbolic* symbolic_ = nullptr;
    klu_common common_{};  // the analysis' own settings and statistics
};

}  // namespace solver
