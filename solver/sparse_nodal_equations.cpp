#include "sparse_nodal_equations.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>

#include "wider_vectors.h"

namespace solver {

namespace {

// The factors that follow the first matrix's pivot order are kept for a
// matrix while the backward error of its solutions stays below this: the
// pivots grew, if at all, to errors a thousand times below the rounding of
// the 32-bit modal quantities that entered the matrix, and the refinement
// step removes most of even that.
constexpr double ACCEPTED_BACKWARD_ERROR = 1.0e-10;
// Solutions with a backward error below this (a few dozen rounding units,
// what fresh factors give) are not refined: a step could not improve them.
constexpr double REFINED_BACKWARD_ERROR = 1.0e-14;

double* parts(ComplexD* values) { return reinterpret_cast<double*>(values); }

// out (rows) = in (rows x n, leading dimension rows) times the column v,
// in real arithmetic along contiguous rows.
void multiply_column(const double* in, int rows, int n, const ComplexD* v, double* out) {
    for (int r = 0; r < 2 * rows; ++r) out[r] = 0.0;
    for (int l = 0; l < n; ++l) {
        const double vr = v[l].real(), vi = v[l].imag();
        const double* column = in + 2 * l * rows;
        for (int r = 0; r < rows; ++r) {
            const double ar = column[2 * r], ai = column[2 * r + 1];
            out[2 * r] += ar * vr - ai * vi;
            out[2 * r + 1] += ar * vi + ai * vr;
        }
    }
}

double magnitude(ComplexD v) { return std::abs(v.real()) + std::abs(v.imag()); }

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
        equations->zero_row_.reserve(widest);
        equations->rhs_.assign(static_cast<std::size_t>(pattern.size()) * MAX_PORTS, 0.0);
        equations->residual_.assign(static_cast<std::size_t>(pattern.size()) * 2 * MAX_PORTS, 0.0);
        equations->row_size_.assign(pattern.size(), 0.0);
        equations->row_scale_.assign(pattern.size(), 1.0);
        equations->scaled_.assign(pattern.nonzeros(), 0.0);
        equations->correction_.assign(static_cast<std::size_t>(pattern.size()) * MAX_PORTS, 0.0);
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
// [A1 A2] of rows x 2n values (leading dimension rows) in the pattern's
// order. With W = [[V, V E], [V E, V]] the product is
// [P + Q E, P E + Q] with P = A1 V and Q = A2 V: half the work of the
// full product.
void SparseNodalEquations::substitute_line_columns(int first, int n, const ComplexD* w, int ldw,
                                                   const ComplexD* e) {
    const int* start = pattern_.column_start();
    const int rows = start[first + 1] - start[first];
    ComplexD* a = values_.data() + start[first];
    zero_row_.assign(rows, 1);
    for (int l = 0; l < 2 * n; ++l)
        for (int r = 0; r < rows; ++r)
            if (a[r + l * rows] != 0.0) zero_row_[r] = 0;
    const double* a1 = parts(a);
    const double* a2 = parts(a + n * rows);
    double* p = parts(block_.data());
    double* q = parts(block_.data() + n * rows);
    for (int j = 0; j < n; ++j) {
        multiply_column(a1, rows, n, w + j * ldw, p + 2 * j * rows);
        multiply_column(a2, rows, n, w + j * ldw, q + 2 * j * rows);
    }
    for (int j = 0; j < n; ++j) {
        const double er = e[j].real(), ei = e[j].imag();
        ComplexD* left = a + j * rows;
        ComplexD* right = a + (n + j) * rows;
        const double* pj = p + 2 * j * rows;
        const double* qj = q + 2 * j * rows;
        for (int r = 0; r < rows; ++r) {
            if (zero_row_[r]) {
                left[r] = right[r] = 0.0;
                continue;
            }
            const double pr = pj[2 * r], pi = pj[2 * r + 1], qr = qj[2 * r], qi = qj[2 * r + 1];
            left[r] = ComplexD(pr + (qr * er - qi * ei), pi + (qr * ei + qi * er));
            right[r] = ComplexD((pr * er - pi * ei) + qr, (pr * ei + pi * er) + qi);
        }
    }
}

// The rows scaled by the inverses of their sizes |A|, for the
// factorisations that choose pivots: they compare rows of like size,
// whatever the elements' impedances. (Rounding the scales to powers of two,
// which would keep the scaled values exact, let the first pivot order grow
// its pivots at far more of the later points of a sweep.) A fixed pivot
// order fares alike whether the rows are scaled or not, so the
// refactorisations take the values as they are.
void SparseNodalEquations::scale_rows(const ComplexD* values) {
    const int n = pattern_.size();
    const int* rows = pattern_.row_index();
    for (int i = 0; i < n; ++i) row_scale_[i] = 0.0;
    for (int k = 0; k < pattern_.nonzeros(); ++k) row_scale_[rows[k]] += magnitude(values[k]);
    for (int i = 0; i < n; ++i)
        row_scale_[i] = row_scale_[i] > 0.0 && std::isfinite(row_scale_[i]) ? 1.0 / row_scale_[i] : 1.0;
    for (int k = 0; k < pattern_.nonzeros(); ++k) scaled_[k] = values[k] * row_scale_[rows[k]];
}

// Null when the matrix is singular or memory ran out (common_.status); the
// factors are those of the scaled rows.
klu_numeric* SparseNodalEquations::factorise(const ComplexD* values) {
    scale_rows(values);
    return klu_z_factor(const_cast<int*>(pattern_.column_start()), const_cast<int*>(pattern_.row_index()),
                        parts(scaled_.data()), pattern_.symbolic(), &common_);
}

// False when a pivot came out zero.
bool SparseNodalEquations::refactorise_first_order() {
    if (supernodal_) return supernodal_->refactor(values_.data());
    return refactorise_with_klu();
}

bool SparseNodalEquations::refactorise_with_klu() {
    return klu_z_refactor(const_cast<int*>(pattern_.column_start()), const_cast<int*>(pattern_.row_index()),
                          parts(values_.data()), pattern_.symbolic(), first_, &common_) &&
           common_.status == KLU_OK;
}

namespace {

// r -= A u for the COUNT columns u[0 .. COUNT - 1], in one pass over A;
// r holds, for each row i, the real parts of its COUNT entries at
// r[2 COUNT i + p] and the imaginary parts COUNT further on, so that the
// ports of a row are updated side by side. size[i] = |A| summed along
// row i.
template <int COUNT>
[[gnu::always_inline]] inline void subtract_product(const NodalPattern& pattern, const ComplexD* a,
                                                    const ComplexD* const* u, double* r, double* size) {
    const int n = pattern.size();
    const int* start = pattern.column_start();
    const int* rows = pattern.row_index();
    for (int i = 0; i < n; ++i) size[i] = 0.0;
    for (int c = 0; c < n; ++c) {
        double ur[COUNT], ui[COUNT];
        for (int p = 0; p < COUNT; ++p) {
            ur[p] = u[p][c].real();
            ui[p] = u[p][c].imag();
        }
        for (int k = start[c]; k < start[c + 1]; ++k) {
            const double ar = a[k].real(), ai = a[k].imag();
            size[rows[k]] += std::abs(ar) + std::abs(ai);
            double* rr = r + 2 * COUNT * rows[k];
            double* ri = rr + COUNT;
            for (int p = 0; p < COUNT; ++p) {
                rr[p] -= ar * ur[p] - ai * ui[p];
                ri[p] -= ar * ui[p] + ai * ur[p];
            }
        }
    }
}

static_assert(MAX_PORTS == 6, "subtract_products handles up to six ports");

MTL_WIDER_VECTORS void subtract_products(int count, const NodalPattern& pattern, const ComplexD* a,
                                         const ComplexD* const* u, double* r, double* size) {
    switch (count) {
        case 1: subtract_product<1>(pattern, a, u, r, size); break;
        case 2: subtract_product<2>(pattern, a, u, r, size); break;
        case 3: subtract_product<3>(pattern, a, u, r, size); break;
        case 4: subtract_product<4>(pattern, a, u, r, size); break;
        case 5: subtract_product<5>(pattern, a, u, r, size); break;
        case 6: subtract_product<6>(pattern, a, u, r, size); break;
        default: break;
    }
}

}  // namespace

// The residuals b - A u of the solutions of the `count` ports listed, in
// the columns of x, side by side along each row (as subtract_product keeps
// them), in one pass over the matrix; and the normwise backward error of
// each solution,
// |b - A u| / (|A| |u| + |b|) in maximum norms: a factorisation whose
// pivots stayed moderate gives a small multiple of the rounding unit,
// however badly conditioned A is (NaN or infinite when the factors were
// useless).
void SparseNodalEquations::backward_errors(const ComplexD* x, int ldx, const int* ports, int count,
                                           double* errors) {
    const int n = pattern_.size();
    const ComplexD* u[MAX_PORTS] = {};
    for (int s = 0; s < count; ++s) {
        const ComplexD* b = rhs_.data() + ports[s] * n;
        u[s] = x + static_cast<long>(ports[s]) * ldx;
        for (int i = 0; i < n; ++i) {
            residual_[s + 2 * count * i] = b[i].real();
            residual_[s + 2 * count * i + count] = b[i].imag();
        }
    }
    subtract_products(count, pattern_, values_.data(), u, residual_.data(), row_size_.data());
    const double norm_a = *std::max_element(row_size_.begin(), row_size_.begin() + n);
    for (int s = 0; s < count; ++s) {
        const ComplexD* b = rhs_.data() + ports[s] * n;
        double norm_u = 0.0, norm_b = 0.0, norm_r = 0.0;
        for (int i = 0; i < n; ++i) {
            norm_u = std::max(norm_u, magnitude(u[s][i]));
            norm_b = std::max(norm_b, magnitude(b[i]));
            norm_r = std::max(norm_r, std::abs(residual_[s + 2 * count * i]) +
                                          std::abs(residual_[s + 2 * count * i + count]));
        }
        const double scale = norm_a * norm_u + norm_b;
        errors[s] = scale > 0.0 ? norm_r / scale : norm_r;
    }
}

// The first factors' structure, for the refactorisations; they stay with
// the sparse factorisation where it does not fit.
void SparseNodalEquations::keep_first_structure() {
    supernodal_ = SupernodalFactors::create(first_, pattern_.symbolic(), common_, pattern_.column_start(),
                                            pattern_.row_index(), pattern_.size());
}

// Replaces the columns of x by the solutions with `factors`, or with the
// supernodal refactorisation where it is null; false when the solve failed.
bool SparseNodalEquations::substitute(klu_numeric* factors, ComplexD* x, int count, int ldx) {
    if (factors) return klu_z_solve(pattern_.symbolic(), factors, ldx, count, parts(x), &common_);
    supernodal_->solve(x, count, ldx);
    return true;
}

// Solves with the given factors (KLU's, or the supernodal refactorisation
// where null; of the rows scaled by `row_scale`, or of the matrix itself
// where that is null) and refines, by one step of
// iterative refinement, the solutions whose backward error shows it can
// help: the residual, solved with the same factors, is added. It takes the
// solution to the accuracy the conditioning allows even where the fixed
// pivot order of a refactorisation let the pivots grow, and the refined
// solutions' backward errors show whether it did. Returns the largest
// backward error of the solutions, before the step and after it (NaN or
// infinite when the factors were useless or a solve failed).
double SparseNodalEquations::solve_with(klu_numeric* factors, const double* row_scale, ComplexD* x, int count,
                                        int ldx) {
    const int n = pattern_.size();
    last_ = factors ? factors : first_;
    last_supernodal_ = !factors;
    last_scaled_ = row_scale != nullptr;
    for (int p = 0; p < count; ++p)
        for (int i = 0; i < n; ++i)
            x[i + static_cast<long>(p) * ldx] = row_scale ? rhs_[i + p * n] * row_scale[i] : rhs_[i + p * n];
    if (!substitute(factors, x, count, ldx)) return std::numeric_limits<double>::infinity();
    double errors[MAX_PORTS];
    int ports[MAX_PORTS] = {}, refined[MAX_PORTS] = {}, steps = 0;
    for (int p = 0; p < count; ++p) ports[p] = p;
    backward_errors(x, ldx, ports, count, errors);
    double worst = 0.0;
    for (int p = 0; p < count; ++p) {
        if (!(errors[p] <= worst)) worst = errors[p];  // NaN sticks
        if (!(errors[p] <= REFINED_BACKWARD_ERROR)) refined[steps++] = p;
    }
    if (steps == 0) return worst;
    ComplexD* d = correction_.data();
    for (int s = 0; s < steps; ++s)
        for (int i = 0; i < n; ++i) {
            const ComplexD r(residual_[refined[s] + 2 * count * i], residual_[refined[s] + 2 * count * i + count]);
            d[i + s * n] = row_scale ? r * row_scale[i] : r;
        }
    if (!substitute(factors, d, steps, n)) return std::numeric_limits<double>::infinity();
    for (int s = 0; s < steps; ++s)
        for (int i = 0; i < n; ++i) x[i + static_cast<long>(refined[s]) * ldx] += d[i + s * n];
    backward_errors(x, ldx, refined, steps, errors);
    for (int s = 0; s < steps; ++s)
        if (!(errors[s] <= worst)) worst = errors[s];
    return worst;
}

SolveStatus SparseNodalEquations::solve(ComplexD* x, int count, int ldx) {
    const int n = pattern_.size();
    for (int p = 0; p < count; ++p)
        for (int i = 0; i < n; ++i) rhs_[i + p * n] = x[i + static_cast<long>(p) * ldx];
    if (!first_ && !supernodal_) {
        try {
            first_values_ = std::make_shared<const std::vector<ComplexD>>(values_);
        } catch (const std::bad_alloc&) {
            return SolveStatus::OUT_OF_MEMORY;
        }
        ++fresh_factorisations_;
        first_ = factorise(values_.data());
        if (!first_) return failure_status();
        keep_first_structure();
        if (first_order_found_) first_order_found_();
        solve_with(first_, row_scale_.data(), x, count, ldx);
        return SolveStatus::SOLVED;
    }
    if (refactorise_first_order() &&
        solve_with(supernodal_ ? nullptr : first_, nullptr, x, count, ldx) <= ACCEPTED_BACKWARD_ERROR)
        return SolveStatus::SOLVED;
    if (fresh_) klu_z_free_numeric(&fresh_, &common_);
    ++fresh_factorisations_;
    fresh_ = factorise(values_.data());
    last_ = nullptr;
    last_supernodal_ = false;
    if (!fresh_) return failure_status();
    solve_with(fresh_, row_scale_.data(), x, count, ldx);
    return SolveStatus::SOLVED;
}

bool SparseNodalEquations::take_first_order(const SparseNodalEquations& other) {
    if (first_ || supernodal_ || !other.first_) return false;
    first_values_ = other.first_values_;  // set with other.first_
    if (other.supernodal_) {
        supernodal_ = other.supernodal_->with_same_structure();
        return supernodal_ != nullptr;
    }
    // KLU's refactorisations need factors of their own with that order.
    ++fresh_factorisations_;
    first_ = factorise(first_values_->data());
    if (first_) keep_first_structure();
    return first_ != nullptr;
}

SolveStatus SparseNodalEquations::failure_status() const {
    return common_.status == KLU_OUT_OF_MEMORY ? SolveStatus::OUT_OF_MEMORY : SolveStatus::SINGULAR;
}

double SparseNodalEquations::condition_estimate() {
    ComplexD* values = last_scaled_ ? scaled_.data() : values_.data();
    if (last_supernodal_) {
        if (!first_) first_ = factorise(first_values_->data());
        if (!first_ || !refactorise_with_klu()) return 0.0;
        last_ = first_;
    }
    if (!last_ || !klu_z_condest(const_cast<int*>(pattern_.column_start()), parts(values),
                                 pattern_.symbolic(), last_, &common_))
        return 0.0;
    return common_.condest;
}

}  // namespace solver
