// The restart of far-off eigenvectors: the Hessenberg form in double
// precision is a similarity of A to double-precision rounding, and the
// shifts worked on side by side do not disturb one another.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "linear_algebra.h"
#include "sample_matrices.h"

namespace {

constexpr int LD = EIGEN_MAX_ORDER;
static_assert(LD == REFINE_MAX_ORDER);

struct Restart {
    std::vector<ComplexF> balanced = std::vector<ComplexF>(LD * LD);
    std::vector<float> scale = std::vector<float>(LD);
    std::vector<ComplexD> lambda;
    DoubleHessenberg h;
};

// Balances a (a copy) and reduces it in double precision; the eigenvalues
// come from the single-precision decomposition.
void prepare(const ComplexF* a, int n, Restart& r) {
    std::vector<ComplexF> work(a, a + LD * LD), z(LD * LD), w(LD);
    int low = 0, igh = 0, error = 0, exchanges[LD], marks[LD];
    balance_matrix(work.data(), n, LD, low, igh, r.scale.data());
    std::copy(work.begin(), work.end(), r.balanced.begin());
    reduce_in_double({r.balanced.data(), LD, low, igh, r.scale.data()}, n, r.h);
    reduce_to_hessenberg(work.data(), n, LD, low, igh, exchanges);
    lr_iteration(work.data(), n, LD, low, igh, exchanges, w.data(), z.data(), LD, marks, error);
    ASSERT_EQ(error, 0);
    r.lambda.assign(w.begin(), w.begin() + n);
}

double frobenius(const ComplexF* a, int n) {
    double sum = 0.0;
    for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i) sum += std::norm(ComplexD(a[i + j * LD]));
    return std::sqrt(sum);
}

// A v - lambda v.
std::vector<ComplexD> residual(const ComplexF* a, int n, const ComplexD* v, ComplexD lambda) {
    std::vector<ComplexD> r(n);
    for (int i = 0; i < n; ++i) r[i] = -lambda * v[i];
    for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i) r[i] += ComplexD(a[i + j * LD]) * v[j];
    return r;
}

// ||A v - q v|| / ||A||_F with the Rayleigh quotient q of the unit vector v.
double rayleigh_residual(const ComplexF* a, int n, const ComplexD* v) {
    std::vector<ComplexD> r = residual(a, n, v, 0.0);
    ComplexD quotient = 0.0;
    for (int i = 0; i < n; ++i) quotient += std::conj(v[i]) * r[i];
    double sum = 0.0;
    for (int i = 0; i < n; ++i) sum += std::norm(r[i] - quotient * v[i]);
    return std::sqrt(sum) / frobenius(a, n);
}

// Separated eigenvalues get vectors at double-precision level from shifts
// that are only single-precision eigenvalues; the residuals that come with
// them are those against A; each batch lane gives the bits the shift alone
// gives.
TEST(HessenbergEigenvectors, SeparatedPairsReachDoublePrecisionAndLanesAreIndependent) {
    // A line sample (balancing keeps the whole matrix) and a matrix whose
    // first and last rows isolate eigenvalues (balancing moves them).
    std::vector<ComplexF> ladder(LD * LD), isolated(LD * LD);
    fill_line_product({12, 1.0e8, LineLayout::LADDER}, ladder.data(), LD);
    fill_random(isolated.data(), 7, 7, LD, 5u);
    for (int j = 0; j < 7; ++j) {
        if (j != 2) isolated[2 + j * LD] = 0.0f;  // row 2: isolated eigenvalue
        if (j != 4) isolated[j + 4 * LD] = 0.0f;  // column 4: another
    }
    for (const auto& [a, n] : {std::pair{ladder.data(), 12}, std::pair{isolated.data(), 7}}) {
        Restart r;
        prepare(a, n, r);
        std::vector<ComplexD> together(LD * n), alone(LD), residuals(LD * n), residual_alone(LD);
        bool found_together[LD], found_alone = false;
        hessenberg_eigenvectors(r.h, n, r.lambda.data(), n, 30.0, together.data(), residuals.data(), found_together);
        double scale = 0.0;
        for (const ComplexD& l : r.lambda) scale = std::max(scale, std::abs(l));
        for (int c = 0; c < n; ++c) {
            ASSERT_TRUE(found_together[c]) << "n " << n << " shift " << c;
            hessenberg_eigenvectors(r.h, n, &r.lambda[c], 1, 30.0, alone.data(), residual_alone.data(), &found_alone);
            EXPECT_TRUE(found_alone);
            EXPECT_EQ(std::memcmp(alone.data(), &together[c * LD], n * sizeof(ComplexD)), 0) << "shift " << c;
            double gap = HUGE_VAL;
            for (int i = 0; i < n; ++i)
                if (i != c) gap = std::min(gap, std::abs(r.lambda[i] - r.lambda[c]));
            if (gap > 1e-3 * scale) {
                EXPECT_LT(rayleigh_residual(a, n, &together[c * LD]), 1e-11) << "n " << n << " shift " << c;
            }
            const std::vector<ComplexD> direct = residual(a, n, &together[c * LD], r.lambda[c]);
            for (int i = 0; i < n; ++i)
                EXPECT_LT(std::abs(direct[i] - residuals[c * LD + i]), 1e-12 * frobenius(a, n)) << "shift " << c;
        }
    }
}

}  // namespace
