#include <algorithm>
#include <cmath>

#include "complex_vector_ops.h"
#include "eigen_decomposition.h"
#include "refine_steps.h"
#include "split_lu.h"
#include "wider_vectors.h"

namespace {

using kernels_detail::normalise;
using kernels_detail::COUPLED;
using kernels_detail::residual;
using kernels_detail::restart_pairs;

constexpr int LD = REFINE_MAX_ORDER;

constexpr int MAX_STEPS = 8;
// Clusters within clusters are diagonalised down to this depth.
constexpr int MAX_DEPTH = 2;

// The coordinates of the residuals in the basis of the eigenvectors and the
// Newton corrections built from them need only a few digits (they are small
// against the vectors they correct): they are formed in single precision,
// twice as many to a vector register. Residuals and vectors stay double.
using Coordinate = float;
using ComplexC = std::complex<Coordinate>;

// LU factors of the eigenvector matrix (w.lu_*, w.order, w.pivot_inverse).
// False on a zero pivot.
MTL_WIDER_VECTORS bool factorise_vectors(RefineWork& w, int n) {
    for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i) {
            w.lu_re[i + j * LD] = static_cast<Coordinate>(w.v[i + j * LD].real());
            w.lu_im[i + j * LD] = static_cast<Coordinate>(w.v[i + j * LD].imag());
        }
    return kernels_detail::factorise_split<LD>(w.lu_re, w.lu_im, n, w.order, w.pivot_inverse);
}

// Columns columns[0 .. count-1] of w.residual := V^-1 times themselves,
// with the factors of factorise_vectors, solved together row by row.
MTL_WIDER_VECTORS void solve_vectors(RefineWork& w, int n, const int* columns, int count) {
    for (int c = 0; c < count; ++c) {
        const ComplexD* b = w.residual + columns[c] * LD;
        for (int i = 0; i < n; ++i) {
            w.rows_re[i * LD + c] = static_cast<Coordinate>(b[i].real());
            w.rows_im[i * LD + c] = static_cast<Coordinate>(b[i].imag());
        }
    }
    // Zero columns up to a whole number of vectors: the substitution then
    // needs no scalar tail, and the columns never mix.
    const int padded = std::min(LD, (count + 7) / 8 * 8);
    for (int i = 0; i < n; ++i)
        for (int c = count; c < padded; ++c) w.rows_re[i * LD + c] = w.rows_im[i * LD + c] = 0;
    kernels_detail::substitute_split_rows<LD>(w.lu_re, w.lu_im, w.order, w.pivot_inverse, n, w.rows_re, w.rows_im,
                                              padded);
    for (int c = 0; c < count; ++c) {
        ComplexD* b = w.residual + columns[c] * LD;
        for (int i = 0; i < n; ++i) b[i] = ComplexD(w.rows_re[i * LD + c], w.rows_im[i * LD + c]);
    }
}

int root(int* parent, int i) {
    while (parent[i] != i) i = parent[i] = parent[parent[i]];
    return i;
}

MTL_WIDER_VECTORS void refine_pairs(RefineWork& w, int n, double tolerance, bool* changed, int depth, bool residuals_known);

// The norm estimate of A: the larger of the largest |lambda| and
// ||A||_F / sqrt(n).
double norm_estimate(const RefineWork& w, int n, double frobenius) {
    double radius = 0.0;
    for (int j = 0; j < n; ++j) radius = std::max(radius, std::abs(w.lambda[j]));
    return std::max(radius, frobenius / std::sqrt(static_cast<double>(n)));
}

double rounding_tolerance(const RefineWork& w, int n, double frobenius) {
    return EIGEN_ROUNDING_RESIDUAL * norm_estimate(w, n, frobenius);
}

// Eigenvectors y (unit columns, leading dimension LD) and eigenvalues theta
// of the k x k block m of a cluster: the block is shifted by the mean of its
// diagonal and scaled to entries of order 1, decomposed in single precision
// and refined (clusters within it again as blocks, down to MAX_DEPTH).
bool diagonalise_block(const ComplexD* m, int k, ComplexD* y, ComplexD* theta, int depth) {
    ComplexD mean = 0.0;
    for (int a = 0; a < k; ++a) mean += m[a + a * LD];
    mean /= static_cast<double>(k);
    double spread = 0.0;
    for (int b = 0; b < k; ++b)
        for (int a = 0; a < k; ++a) spread = std::max(spread, std::abs(m[a + b * LD] - (a == b ? mean : 0.0)));
    if (!(spread > 0.0) || !std::isfinite(spread)) {
        for (int b = 0; b < k; ++b) {
            for (int a = 0; a < k; ++a) y[a + b * LD] = a == b ? 1.0 : 0.0;
            theta[b] = m[b + b * LD];
        }
        return std::isfinite(spread);
    }

    RefineWork inner;
    ComplexF single[LD * LD], vectors[LD * LD], values[LD];
    float scale[LD];
    int exchanges[LD], marks[LD];
    double norm = 0.0;
    for (int b = 0; b < k; ++b)
        for (int a = 0; a < k; ++a) {
            const ComplexD e = (m[a + b * LD] - (a == b ? mean : 0.0)) / spread;
            inner.re[a + b * LD] = e.real();
            inner.im[a + b * LD] = e.imag();
            single[a + b * LD] = ComplexF(static_cast<float>(e.real()), static_cast<float>(e.imag()));
            norm += std::norm(e);
        }
    int low = 0, igh = 0, error = 0;
    balance_matrix(single, k, LD, low, igh, scale);
    reduce_to_hessenberg(single, k, LD, low, igh, exchanges);
    lr_iteration(single, k, LD, low, igh, exchanges, values, vectors, LD, marks, error);
    if (error != 0) return false;
    back_transform(vectors, k, LD, low, igh, scale, k);
    for (int b = 0; b < k; ++b) {
        for (int a = 0; a < k; ++a) inner.v[a + b * LD] = ComplexD(vectors[a + b * LD]);
        if (!normalise(inner.v + b * LD, k)) return false;
        inner.lambda[b] = ComplexD(values[b]);
    }
    if (depth + 1 < MAX_DEPTH) {
        bool ignored[LD];
        refine_pairs(inner, k, rounding_tolerance(inner, k, std::sqrt(norm)), ignored, depth + 1, false);
    }
    for (int b = 0; b < k; ++b) {
        for (int a = 0; a < k; ++a) y[a + b * LD] = inner.v[a + b * LD];
        theta[b] = mean + spread * inner.lambda[b];
    }
    return true;
}

// Replaces the candidates of the poor members of one cluster (columns idx[0 ..
// k-1]) by combinations that diagonalise the cluster's block; members at
// the rounding level keep their vectors. False when the block could not be
// diagonalised.
bool rotate_cluster(RefineWork& w, int n, const int* idx, int k, const bool* poor, int depth) {
    ComplexD m[LD * LD], y[LD * LD], theta[LD];
    for (int b = 0; b < k; ++b)
        for (int a = 0; a < k; ++a)
            m[a + b * LD] = (a == b ? w.lambda[idx[a]] : 0.0) + w.residual[idx[a] + idx[b] * LD];
    if (!diagonalise_block(m, k, y, theta, depth)) return false;

    // A good member's own vector is an exact eigenvector of the block: it
    // takes the block eigenvector nearest to its unit vector.
    bool taken[LD] = {};
    for (int a = 0; a < k; ++a) {
        if (poor[idx[a]]) continue;
        int best = -1;
        for (int b = 0; b < k; ++b)
            if (!taken[b] && (best < 0 || std::abs(y[a + b * LD]) > std::abs(y[a + best * LD]))) best = b;
        taken[best] = true;
    }
    // The combinations use the Newton-corrected vectors of the poor members.
    ComplexD* combined = w.factors;  // free until the next step factorises again
    int next = 0;
    for (int a = 0; a < k; ++a) {
        if (!poor[idx[a]]) continue;
        while (taken[next]) ++next;
        ComplexD* out = combined + a * LD;
        for (int i = 0; i < n; ++i) out[i] = 0.0;
        for (int c = 0; c < k; ++c) {
            const ComplexD* source = (poor[idx[c]] ? w.candidate : w.v) + idx[c] * LD;
            const ComplexD factor = y[c + next * LD];
            for (int i = 0; i < n; ++i) out[i] += factor * source[i];
        }
        if (!normalise(out, n)) return false;
        w.candidate_lambda[idx[a]] = theta[next];
        ++next;
    }
    for (int a = 0; a < k; ++a)
        if (poor[idx[a]]) std::copy(combined + a * LD, combined + a * LD + n, w.candidate + idx[a] * LD);
    return true;
}

// One Newton step on every poor pair at a time (at most MAX_STEPS), each
// kept per cluster only where it lowers the cluster's worst residual.
MTL_WIDER_VECTORS void refine_pairs(RefineWork& w, int n, double tolerance, bool* changed, int depth, bool residuals_known) {
    bool stuck[LD] = {};
    for (int j = 0; j < n; ++j) {
        changed[j] = false;
        if (!residuals_known) w.residual_norm[j] = residual(w, n, w.v + j * LD, w.lambda[j], w.residual + j * LD);
    }
    for (int step = 0; step < MAX_STEPS; ++step) {
        bool poor[LD];
        int poor_count = 0;
        for (int j = 0; j < n; ++j) {
            poor[j] = !stuck[j] && !(w.residual_norm[j] <= tolerance);
            poor_count += poor[j];
        }
        if (poor_count == 0) return;

        // The residuals in the basis of the current eigenvectors:
        // E = V^-1 (A V - V diag(lambda)), the poor columns only.
        if (!factorise_vectors(w, n)) return;
        int poor_columns[LD], listed = 0;
        for (int j = 0; j < n; ++j)
            if (poor[j]) poor_columns[listed++] = j;
        solve_vectors(w, n, poor_columns, listed);
        auto e = [&w](int i, int j) { return w.residual[i + j * LD]; };

        int* parent = w.cluster;
        for (int i = 0; i < n; ++i) parent[i] = i;
        for (int j = 0; j < n; ++j) {
            if (!poor[j]) continue;
            for (int i = 0; i < n; ++i)
                if (i != j && e(i, j) != 0.0 && std::norm(e(i, j)) > COUPLED * COUPLED * std::norm(w.lambda[j] - w.lambda[i]))
                    parent[root(parent, i)] = root(parent, j);
        }

        bool recompute[LD] = {};  // residual columns used as work space
        // Newton: v_j + sum over i outside j's cluster of E_ij / (lambda_j - lambda_i) v_i.
        // The vectors apart in real and imaginary parts, so that the sums
        // vectorise; the corrections are added to the vectors in double.
        Coordinate vr[LD * LD], vi[LD * LD];
        for (int i = 0; i < n; ++i)
            for (int l = 0; l < n; ++l)
                vr[l + i * LD] = static_cast<Coordinate>(w.v[l + i * LD].real()),
                vi[l + i * LD] = static_cast<Coordinate>(w.v[l + i * LD].imag());
        for (int j = 0; j < n; ++j) {
            if (!poor[j]) continue;
            Coordinate cr[LD] = {}, ci[LD] = {};
            w.candidate_lambda[j] = w.lambda[j] + e(j, j);
            const int cluster = root(parent, j);
            for (int i = 0; i < n; ++i) {
                if (i == j || e(i, j) == 0.0 || root(parent, i) == cluster) continue;
                const ComplexD factor = e(i, j) / (w.lambda[j] - w.lambda[i]);
                const Coordinate fr = static_cast<Coordinate>(factor.real()), fi = static_cast<Coordinate>(factor.imag());
                const Coordinate* sr = vr + i * LD;
                const Coordinate* si = vi + i * LD;
                for (int l = 0; l < n; ++l) {
                    cr[l] += fr * sr[l] - fi * si[l];
                    ci[l] += fr * si[l] + fi * sr[l];
                }
            }
            ComplexD* c = w.candidate + j * LD;
            for (int l = 0; l < n; ++l) c[l] = w.v[l + j * LD] + ComplexD(cr[l], ci[l]);
            if (!normalise(c, n)) poor[j] = false, stuck[j] = recompute[j] = true;
        }

        // Clusters of two or more: their blocks diagonalised as a whole.
        bool rejected[LD] = {};
        for (int r = 0; r < n; ++r) {
            int idx[LD], k = 0;
            bool any_poor = false;
            for (int i = 0; i < n; ++i)
                if (root(parent, i) == r) idx[k++] = i, any_poor |= poor[i];
            if (k < 2 || !any_poor) continue;
            // Members at the rounding level need their coordinates too.
            for (int a = 0; a < k; ++a) {
                const int i = idx[a];
                if (poor[i]) continue;
                solve_vectors(w, n, &i, 1);
                recompute[i] = true;
            }
            if (!rotate_cluster(w, n, idx, k, poor, depth))
                for (int a = 0; a < k; ++a) rejected[idx[a]] = true;
        }

        // Kept per cluster when its worst residual goes down.
        double old_worst[LD] = {}, new_worst[LD] = {};
        for (int j = 0; j < n; ++j) {
            if (!poor[j] || rejected[j]) continue;
            const int r = root(parent, j);
            // The coordinates in column j are used up: it receives the new residual.
            w.candidate_norm[j] = residual(w, n, w.candidate + j * LD, w.candidate_lambda[j], w.residual + j * LD);
            const double norm = w.candidate_norm[j];
            old_worst[r] = std::max(old_worst[r], w.residual_norm[j]);
            new_worst[r] = std::max(new_worst[r], std::isfinite(norm) ? norm : HUGE_VAL);
        }
        bool any_kept = false;
        for (int j = 0; j < n; ++j) {
            if (!poor[j]) continue;
            const int r = root(parent, j);
            if (rejected[j] || !(new_worst[r] < old_worst[r])) {
                stuck[j] = rejected[j];  // an unimproved cluster is tried again in a changed basis
                recompute[j] = true;
                continue;
            }
            std::copy(w.candidate + j * LD, w.candidate + j * LD + n, w.v + j * LD);
            w.lambda[j] = w.candidate_lambda[j];
            w.residual_norm[j] = w.candidate_norm[j];
            changed[j] = any_kept = true;
        }
        // Columns whose residual vector was used as work space get it back.
        for (int j = 0; j < n; ++j)
            if (recompute[j]) residual(w, n, w.v + j * LD, w.lambda[j], w.residual + j * LD);
        if (!any_kept) return;
    }
}

}  // namespace

void refine_eigenvectors(const ComplexF* a, int n, int lda, ComplexF* w, ComplexF* z, int ldz,
                         RefineWork& work, const BalancedForm* form) {
    work.changed_count = 0;
    if (n <= 0 || n > LD) return;
    double norm = 0.0;
    for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i) {
            const ComplexF e = a[i + static_cast<long>(j) * lda];
            work.re[i + j * LD] = e.real();
            work.im[i + j * LD] = e.imag();
            norm += std::norm(ComplexD(e));
        }
    norm = std::sqrt(norm);
    if (!(norm > 0.0) || !std::isfinite(norm)) return;
    for (int j = 0; j < n; ++j) {
        for (int i = 0; i < n; ++i) work.v[i + j * LD] = ComplexD(z[i + static_cast<long>(j) * ldz]);
        if (!normalise(work.v + j * LD, n)) return;  // the normalisation reports it
        work.lambda[j] = ComplexD(w[j]);
    }
    const double estimate = norm_estimate(work, n, norm);
    bool changed[LD], restarted[LD] = {};
    if (form != nullptr && n >= 2)
        restart_pairs(work, n, estimate, EIGEN_ROUNDING_RESIDUAL * estimate, *form, restarted);
    refine_pairs(work, n, EIGEN_ROUNDING_RESIDUAL * estimate, changed, 0, form != nullptr && n >= 2);
    for (int j = 0; j < n; ++j) {
        if (!changed[j] && !restarted[j]) continue;
        ++work.changed_count;
        w[j] = ComplexF(static_cast<float>(work.lambda[j].real()), static_cast<float>(work.lambda[j].imag()));
        for (int i = 0; i < n; ++i) {
            const ComplexD v = work.v[i + j * LD];
            z[i + static_cast<long>(j) * ldz] = ComplexF(static_cast<float>(v.real()), static_cast<float>(v.imag()));
        }
    }
}
