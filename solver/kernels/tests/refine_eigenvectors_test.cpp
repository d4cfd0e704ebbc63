// Every eigenpair of the decomposition at the single-precision rounding
// level, clusters of nearly equal eigenvalues included, and pairs already
// there left exactly as they were.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "linear_algebra.h"
#include "sample_matrices.h"

namespace {

constexpr int LD = EIGEN_MAX_ORDER;

struct Pairs {
    ComplexF w[LD];
    ComplexF z[LD * LD];
    // The balanced matrix the pairs came from.
    ComplexF balanced[LD * LD];
    float scale[LD];
    int exchanges[LD], low = 0, igh = 0;
    BalancedForm form() const { return {balanced, LD, low, igh, scale}; }
};

// The decomposition without its refinement (columns not normalised).
Pairs unrefined(const ComplexF* a, int n) {
    ComplexF h[LD * LD];
    std::copy(a, a + LD * LD, h);
    Pairs p;
    int marks[LD], error = 0;
    balance_matrix(h, n, LD, p.low, p.igh, p.scale);
    std::copy(h, h + LD * LD, p.balanced);
    reduce_to_hessenberg(h, n, LD, p.low, p.igh, p.exchanges);
    lr_iteration(h, n, LD, p.low, p.igh, p.exchanges, p.w, p.z, LD, marks, error);
    EXPECT_EQ(error, 0);
    back_transform(p.z, n, LD, p.low, p.igh, p.scale, n);
    return p;
}

// ||A v - w v|| / (||A|| ||v||) of column j, with the refinement's estimate
// of ||A|| from the eigenvalues it was given.
double relative_residual(const ComplexF* a, int n, const Pairs& p, int j, const ComplexF* given) {
    double frobenius = 0, radius = 0, sum = 0, length = 0;
    for (int i = 0; i < n; ++i) {
        std::complex<double> r = -std::complex<double>(p.w[j]) * std::complex<double>(p.z[i + j * LD]);
        for (int k = 0; k < n; ++k) {
            r += std::complex<double>(a[i + k * LD]) * std::complex<double>(p.z[k + j * LD]);
            frobenius += std::norm(std::complex<double>(a[i + k * LD]));
        }
        sum += std::norm(r);
        length += std::norm(std::complex<double>(p.z[i + j * LD]));
        radius = std::max(radius, static_cast<double>(std::abs(given[i])));
    }
    return std::sqrt(sum / length) / std::max(radius, std::sqrt(frobenius / n));
}

// Without the balanced matrix by Newton steps and cluster blocks alone, with
// it also through the restart of the pairs far off.
TEST(RefineEigenvectors, EveryPairReachesRoundingLevelAndGoodOnesStayBitForBit) {
    int poor_before = 0;
    for (bool restart : {false, true})
    for (LineLayout layout : {LineLayout::LADDER, LineLayout::RING, LineLayout::EQUAL_COUPLING}) {
        for (int n : {6, 12, 24, 32}) {
            for (double f : {1.0e6, 1.0e9}) {
                ComplexF a[LD * LD] = {};
                fill_line_product({n, f, layout}, a, LD);
                const Pairs before = unrefined(a, n);
                Pairs after = before;
                RefineWork work;
                const BalancedForm form = before.form();
                refine_eigenvectors(a, n, LD, after.w, after.z, LD, work, restart ? &form : nullptr);
                for (int j = 0; j < n; ++j) {
                    const double was = relative_residual(a, n, before, j, before.w);
                    poor_before += was > EIGEN_ROUNDING_RESIDUAL;
                    // Rounding the refined vector to single precision adds up to about one unit.
                    EXPECT_LT(relative_residual(a, n, after, j, before.w), EIGEN_ROUNDING_RESIDUAL + 1.5e-7)
                        << "n " << n << " f " << f << " column " << j << " restart " << restart;
                    if (was <= EIGEN_ROUNDING_RESIDUAL) {
                        EXPECT_EQ(after.w[j], before.w[j]);
                        EXPECT_TRUE(std::equal(after.z + j * LD, after.z + j * LD + n, before.z + j * LD));
                    }
                }
                // The modes stay independent: V can be inverted.
                int swaps[LD], error = 0;
                invert_matrix(after.z, n, LD, swaps, error);
                EXPECT_EQ(error, 0);
            }
        }
    }
    EXPECT_GT(poor_before, 20);  // the samples do exercise the refinement
}

TEST(RefineEigenvectors, NearlyParallelVectorsOfAClusterAreSpreadOverItsSubspace) {
    // diag(1, 1 + 1e-6, 1 + 2e-6, 5): the first three vectors given as one
    // direction tilted slightly three ways.
    ComplexF a[LD * LD] = {};
    const float values[4] = {1.0f, 1.000001f, 1.000002f, 5.0f};
    for (int i = 0; i < 4; ++i) a[i + i * LD] = values[i];
    Pairs p;
    for (int j = 0; j < 4; ++j) {
        p.w[j] = values[j];
        for (int i = 0; i < 4; ++i) p.z[i + j * LD] = j == 3 ? (i == 3 ? 1.0f : 0.0f) : (i == j ? 1.01f : i < 3 ? 1.0f : 0.0f);
    }
    ComplexF given[4];
    std::copy(p.w, p.w + 4, given);
    RefineWork work;
    refine_eigenvectors(a, 4, LD, p.w, p.z, LD, work);
    for (int j = 0; j < 4; ++j) EXPECT_LT(relative_residual(a, 4, p, j, given), 3e-7) << j;
    int swaps[LD], error = 0;
    invert_matrix(p.z, 4, LD, swaps, error);
    EXPECT_EQ(error, 0);
    for (int j = 0; j < 3; ++j) EXPECT_LT(std::abs(p.z[3 + j * LD]), 1e-6f);  // inside the cluster's subspace
}

}  // namespace
