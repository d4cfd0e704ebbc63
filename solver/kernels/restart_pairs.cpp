#include <algorithm>
#include <cmath>

#include "refine_steps.h"

namespace kernels_detail {

namespace {

constexpr int LD = REFINE_MAX_ORDER;

// The squared distance of lambda[j] to the nearest other eigenvalue (four
// running minima, which do not wait for one another).
double squared_gap(const RefineWork& w, int n, int j) {
    double gap[4] = {HUGE_VAL, HUGE_VAL, HUGE_VAL, HUGE_VAL};
    for (int i = 0; i < n; ++i) {
        const double d = i == j ? HUGE_VAL : std::norm(w.lambda[j] - w.lambda[i]);
        gap[i % 4] = std::min(gap[i % 4], d);
    }
    return std::min(std::min(gap[0], gap[1]), std::min(gap[2], gap[3]));
}

// Pair j takes the candidate vector c (unit length) and the Rayleigh
// quotient of it where that lowers its residual and c is not (nearly) a
// vector that another column already has. r: the residual A c - lambda_j c
// (changed); gap: the squared distance of lambda_j to the nearest other
// eigenvalue.
bool take_candidate(RefineWork& w, int n, int j, const ComplexD* c, ComplexD* r, double norm, double gap,
                    const bool* restarted) {
    // The eigenvalue moves to the Rayleigh quotient of c: the shift is
    // c^H r, and r loses the shift times c.
    ComplexD shift = 0.0;
    for (int i = 0; i < n; ++i) shift += std::conj(c[i]) * r[i];
    const ComplexD lambda = w.lambda[j] + shift;
    double sum = 0.0;
    for (int i = 0; i < n; ++i) {
        r[i] -= shift * c[i];
        sum += std::norm(r[i]);
    }
    const double size = std::sqrt(sum);
    if (!(size < w.residual_norm[j])) return false;
    // Inverse iteration may have found the vector of a neighbouring
    // eigenvalue: the eigenvalue then moved by half the gap or more. A
    // vector that another column already has would give that column's
    // eigenvalue to within its error, far less than the gap (above
    // EIGEN_RESTART_GAP ||A||) that j had to all others.
    if (!(4.0 * std::norm(shift) < gap)) return false;
    const double near = 0.01 * EIGEN_RESTART_GAP * EIGEN_RESTART_GAP * norm * norm;
    for (int i = 0; i < n; ++i) {
        // Columns still far off may hold this very vector: they do not count.
        if (i == j || (!restarted[i] && w.residual_norm[i] > EIGEN_RESTART_GAP * norm)) continue;
        if (!(std::norm(lambda - w.lambda[i]) <= near)) continue;
        ComplexD dot = 0.0;
        for (int l = 0; l < n; ++l) dot += std::conj(w.v[l + i * LD]) * c[l];
        if (std::abs(dot) > 0.99) return false;
    }
    std::copy(c, c + n, w.v + j * LD);
    std::copy(r, r + n, w.residual + j * LD);
    w.lambda[j] = lambda;
    w.residual_norm[j] = size;
    return true;
}


// The rounds of restarts of restart_pairs.
void restart_candidates(RefineWork& w, int n, double norm, double tolerance, const BalancedForm& form,
                        bool* restarted) {
    bool reduced = false;
    ComplexD* candidates = w.factors;  // free until the Newton steps
    ComplexD* residuals = w.candidate;
    for (int round = 0; round < 2; ++round) {
        int listed[LD], count = 0;
        ComplexD shifts[LD];
        double gaps[LD];
        for (int j = 0; j < n; ++j) {
            if (w.residual_norm[j] <= tolerance || (round > 0 && !restarted[j])) continue;
            const double gap = squared_gap(w, n, j);
            if (!(gap > EIGEN_RESTART_GAP * EIGEN_RESTART_GAP * norm * norm)) continue;
            shifts[count] = w.lambda[j];
            gaps[count] = gap;
            listed[count++] = j;
        }
        if (count == 0) return;
        if (!reduced) reduce_in_double(form, n, w.hessenberg), reduced = true;
        bool found[LD];
        hessenberg_eigenvectors(w.hessenberg, n, shifts, count, norm, candidates, residuals, found);
        for (int c = 0; c < count; ++c) {
            const int j = listed[c];
            if (found[c] && take_candidate(w, n, j, candidates + c * LD, residuals + c * LD, norm, gaps[c], restarted))
                restarted[j] = true;
        }
    }
}

// A lower bound of ||A v - lambda v||: the part of the residual in a few
// rows spread over the vector (O(n) a row).
double residual_lower_bound(const RefineWork& w, int n, const ComplexD* v, ComplexD lambda) {
    constexpr int ROWS = 4;
    int row[ROWS];
    double re[ROWS] = {}, im[ROWS] = {};
    for (int s = 0; s < ROWS; ++s) row[s] = s * n / ROWS;
    // The rows side by side: each sum still in the order of k.
    for (int k = 0; k < n; ++k)
        for (int s = 0; s < ROWS; ++s) {
            const double ar = w.re[row[s] + k * LD], ai = w.im[row[s] + k * LD];
            re[s] += ar * v[k].real() - ai * v[k].imag();
            im[s] += ar * v[k].imag() + ai * v[k].real();
        }
    double sum = 0.0;
    for (int s = 0; s < ROWS; ++s) sum += std::norm(ComplexD(re[s], im[s]) - lambda * v[row[s]]);
    return std::sqrt(sum);
}

}  // namespace

// Residuals of all pairs. Where some pair is far off (its residual above
// EIGEN_RESTART_GAP ||A|| and too large against the gap to its nearest
// neighbour for a Newton step to decouple the two), every pair above the
// rounding level whose eigenvalue is apart from the others by more than
// EIGEN_RESTART_GAP ||A|| is restarted from the Hessenberg form in double
// precision, and those still above it once more from their new eigenvalue
// (the Rayleigh quotient, correct to about the square of the first
// residual). The pairs left above it (clusters, and all poor pairs where
// none is far off) go to the Newton steps.
// Once a far pair is known, a pair whose residual is plainly far above the
// rounding level in a few rows alone (a vector the LR back-substitution
// spoilt) is restarted with that lower bound as its residual; the whole
// residual is computed only if the restart does not replace it.
void restart_pairs(RefineWork& w, int n, double norm, double tolerance, const BalancedForm& form, bool* restarted) {
    bool any_far = false, bounded[LD] = {};
    for (int j = 0; j < n; ++j) {
        restarted[j] = false;
        if (any_far) {
            const double bound = residual_lower_bound(w, n, w.v + j * LD, w.lambda[j]);
            if (bound > EIGEN_RESTART_GAP * norm) {
                w.residual_norm[j] = bound;
                bounded[j] = true;
                continue;
            }
        }
        w.residual_norm[j] = residual(w, n, w.v + j * LD, w.lambda[j], w.residual + j * LD);
        if (!any_far && w.residual_norm[j] > EIGEN_RESTART_GAP * norm) {
            const double gap = squared_gap(w, n, j);
            any_far = std::norm(w.residual_norm[j]) > COUPLED * COUPLED * gap &&
                      gap > EIGEN_RESTART_GAP * EIGEN_RESTART_GAP * norm * norm;
        }
    }
    if (!any_far) return;
    restart_candidates(w, n, norm, tolerance, form, restarted);
    for (int j = 0; j < n; ++j)
        if (bounded[j] && !restarted[j])
            w.residual_norm[j] = residual(w, n, w.v + j * LD, w.lambda[j], w.residual + j * LD);
}

}  // namespace kernels_detail
