#include "dense_nodal_equations.h"

#include <new>

namespace solver {

DenseNodalEquations::DenseNodalEquations(int node_count) : n_(node_count), tables_(new Tables) {}

std::unique_ptr<DenseNodalEquations> DenseNodalEquations::create(int node_count) {
    try {
        return std::make_unique<DenseNodalEquations>(node_count);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void DenseNodalEquations::clear() {
    for (int c = 0; c < n_; ++c)
        for (int r = 0; r < n_; ++r) at(r, c) = 0.0;
}

void DenseNodalEquations::substitute_line_columns(int first, int n, const ComplexD* w, int ldw, const ComplexD*) {
    const int width = 2 * n;
    ComplexD* block = tables_->column_block;
    for (int r = 0; r < n_; ++r) {
        bool nonzero = false;
        for (int c = 0; c < width && !nonzero; ++c) nonzero = at(r, first + c) != 0.0;
        if (!nonzero) {
            for (int c = 0; c < width; ++c) block[r + c * LD] = 0.0;
            continue;
        }
        for (int c = 0; c < width; ++c) {
            ComplexD sum = 0.0;
            for (int l = 0; l < width; ++l) sum += at(r, first + l) * w[l + c * ldw];
            block[r + c * LD] = sum;
        }
    }
    for (int c = 0; c < width; ++c)
        for (int r = 0; r < n_; ++r) at(r, first + c) = block[r + c * LD];
}

// The first right-hand side factorises A; the others reuse the factors.
SolveStatus DenseNodalEquations::solve(ComplexD* x, int count, int ldx) {
    Tables& t = *tables_;
    for (int p = 0; p < count; ++p) {
        ComplexD* column = x + static_cast<long>(p) * ldx;
        for (int i = 0; i < n_; ++i) t.rhs[i] = column[i];
        int error = 0;
        solve_linear_system(t.matrix, t.rhs, t.solution, n_, LD, p > 0 ? 1 : 0, error, t.row_order);
        if (error != 0) return SolveStatus::SINGULAR;
        for (int i = 0; i < n_; ++i) column[i] = t.solution[i];
    }
    return SolveStatus::SOLVED;
}

}  // namespace solver
