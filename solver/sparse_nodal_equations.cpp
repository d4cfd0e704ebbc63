#include "sparse_nodal_equations.h"

#include <algorithm>
#include <new>

namespace solver {

namespace {

// A refactorisation is kept while its reciprocal pivot growth stays within
// this factor of the one of the first factorisation.
constexpr double ACCEPTED_GROWTH_LOSS = 1.0e-2;

double* parts(ComplexD* values) { return reinterpret_cast<double*>(values); }

}  // namespace

SparseNodalEquations::SparseNodalEquations(const NodalPattern& pattern) : pattern_(pattern) {
    NodalPattern::factorisation_settings(common_);
}

std::unique_ptr<SparseNodalEquations> SparseNodalEquations::create(const NodalPattern& pattern) {
    try {
        std::unique_ptr<SparseNodalEquations> equations(new SparseNodalEquations(pattern));
        equations->values_.assign(pattern.nonzeros(), 0.0);
        // The widest block of columns a line replaces: all its rows times 2n.
        int widest = 0;
        const int* start = pattern.column_start();
        for (int c = 0; c < pattern.size(); ++c) widest = std::max(widest, start[c + 1] - start[c]);
        equations->block_.assign(static_cast<std::size_t>(widest) * 2 * MAX_CONDUCTORS, 0.0);
        equations->rhs_.assign(static_cast<std::size_t>(pattern.size()) * MAX_PORTS, 0.0);
        equations->residual_.assign(static_cast<std::size_t>(pattern.size()) * MAX_PORTS, 0.0);
        return equations;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

SparseNodalEquations::~SparseNodalEquations() {
    if (first_) klu_z_free_numeric(&first_, &common_);
    if (fresh_) klu_z_free_numeric(&fresh_, &common_);
}

void SparseNodalEquations::clear() {
    for (ComplexD& v : values_) v = 0.0;
}

// The line's columns hold the same rows each, so they form one dense block
// of rows x width values (leading dimension rows) in the pattern's order.
void SparseNodalEquations::substitute_columns(int first, int width, const ComplexD* w, int ldw) {
    const int* start = pattern_.column_start();
    const int rows = start[first + 1] - start[first];
    ComplexD* a = values_.data() + start[first];
    ComplexD* block = block_.data();
    for (int r = 0; r < rows; ++r) {
        bool nonzero = false;
        for (int c = 0; c < width && !nonzero; ++c) nonzero = a[r + c * rows] != 0.0;
        if (!nonzero) {
            for (int c = 0; c < width; ++c) block[r + c * rows] = 0.0;
            continue;
        }
        for (int c = 0; c < width; ++c) {
            ComplexD sum = 0.0;
            for (int l = 0; l < width; ++l) sum += a[r + l * rows] * w[l + c * ldw];
            block[r + c * rows] = sum;
        }
    }
    for (int i = 0; i < rows * width; ++i) a[i] = block[i];
}

// Null when the matrix is singular or memory ran out (common_.status).
klu_numeric* SparseNodalEquations::factorise() {
    ++fresh_factorisations_;
    return klu_z_factor(const_cast<int*>(pattern_.column_start()), const_cast<int*>(pattern_.row_index()),
                        parts(values_.data()), pattern_.symbolic(), &common_);
}

// False when a pivot came out zero or grew too much for the result to be
// trusted.
bool SparseNodalEquations::refactorise_first_order() {
    int* start = const_cast<int*>(pattern_.column_start());
    int* rows = const_cast<int*>(pattern_.row_index());
    if (!klu_z_refactor(start, rows, parts(values_.data()), pattern_.symbolic(), first_, &common_) ||
        common_.status != KLU_OK)
        return false;
    if (!klu_z_rgrowth(start, rows, parts(values_.data()), pattern_.symbolic(), first_, &common_)) return false;
    return common_.rgrowth >= ACCEPTED_GROWTH_LOSS * growth_at_first_;
}

// One step of iterative refinement: the residual of the solution with the
// matrix itself, solved with the same factors, is added. It takes the
// solution to the accuracy the conditioning allows even where the fixed
// pivot order of a refactorisation let the pivots grow.
void SparseNodalEquations::refine(klu_numeric* factors, ComplexD* x, int count, int ldx) {
    const int n = pattern_.size();
    const int* start = pattern_.column_start();
    const int* rows = pattern_.row_index();
    for (int p = 0; p < count; ++p) {
        ComplexD* r = residual_.data() + p * n;
        const ComplexD* u = x + static_cast<long>(p) * ldx;
        for (int i = 0; i < n; ++i) r[i] = rhs_[i + p * n];
        for (int c = 0; c < n; ++c)
            for (int k = start[c]; k < start[c + 1]; ++k) r[rows[k]] -= values_[k] * u[c];
    }
    if (!klu_z_solve(pattern_.symbolic(), factors, n, count, parts(residual_.data()), &common_)) return;
    for (int p = 0; p < count; ++p)
        for (int i = 0; i < n; ++i) x[i + static_cast<long>(p) * ldx] += residual_[i + p * n];
}

SolveStatus SparseNodalEquations::solve(ComplexD* x, int count, int ldx) {
    klu_numeric* factors = nullptr;
    if (!first_) {
        first_ = factorise();
        if (first_ && klu_z_rgrowth(const_cast<int*>(pattern_.column_start()), const_cast<int*>(pattern_.row_index()),
                                    parts(values_.data()), pattern_.symbolic(), first_, &common_))
            growth_at_first_ = common_.rgrowth;
        factors = first_;
    } else if (refactorise_first_order()) {
        factors = first_;
    } else {
        if (fresh_) klu_z_free_numeric(&fresh_, &common_);
        fresh_ = factorise();
        factors = fresh_;
    }
    last_ = factors;
    if (!factors) return common_.status == KLU_OUT_OF_MEMORY ? SolveStatus::OUT_OF_MEMORY : SolveStatus::SINGULAR;

    const int n = pattern_.size();
    for (int p = 0; p < count; ++p)
        for (int i = 0; i < n; ++i) rhs_[i + p * n] = x[i + static_cast<long>(p) * ldx];
    if (!klu_z_solve(pattern_.symbolic(), factors, ldx, count, parts(x), &common_)) return SolveStatus::SINGULAR;
    refine(factors, x, count, ldx);
    return SolveStatus::SOLVED;
}

double SparseNodalEquations::condition_estimate() {
    if (!last_ || !klu_z_condest(const_cast<int*>(pattern_.column_start()), parts(values_.data()),
                                 pattern_.symbolic(), last_, &common_))
        return 0.0;
    return common_.condest;
}

}  // namespace solver
