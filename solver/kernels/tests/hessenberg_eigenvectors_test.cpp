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

// ||A v - lambda_v v|| / ||A||_F with the Rayleigh quotient lambda_v of the unit vector v.
double residual(const ComplexF* a, int n, const ComplexD* v) {
    std::vector<ComplexD> av(n);
    double norm = 0.0;
    for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i) {
            av[i] += ComplexD(a[i + j * LD]) * v[j];
            norm += std::norm(ComplexD(a[i + j * LD]));
        }
    ComplexD quotient = 0.0;
    for (int i = 0; i < n; ++i) quotient += std::conj(v[i]) * av[i];
    double sum = 0.0;
    for (int i = 0; i < n; ++i) sum += std::norm(av[i] - quotient * v[i]);
    return std::sqrt(sum / norm);
}

// Separated eigenvalues get vectors at double-precision level from shifts
// that are only single-precision eigenvalues; each batch lane gives the bits
// the shift alone gives.
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
        std::vector<ComplexD> together(LD * n), alone(LD);
        bool found_together[LD], found_alone = false;
        hessenberg_eigenvectors(r.h, n, r.lambda.data(), n, 30.0, together.data(), found_together);
        double scale = 0.0;
        for (const ComplexD& l : r.lambda) scale = std::max(scale, std::abs(l));
        for (int c = 0; c < n; ++c) {
            ASSERT_TRUE(found_together[c]) << "n " << n << " shift " << c;
            hessenberg_eigenvectors(r.h, n, &r.lambda[c], 1, 30.0, alone.data(), &found_alone);
            EXPECT_TRUE(found_alone);
            EXPECT_EQ(std::memcmp(alone.data(), &together[c * LD], n * sizeof(ComplexD)), 0) << "shift " << c;
            double gap = HUGE_VAL;
            for (int i = 0; i < n; ++i)
                if (i != c) gap = std::min(gap, std::abs(r.lambda[i] - r.lambda[c]));
            if (gap > 1e-3 * scale) {
                EXPECT_LT(residual(a, n, &together[c * LD]), 1e-11) << "n " << n << " shift " << c;
            }
        }
    }
}

}  // namespace
