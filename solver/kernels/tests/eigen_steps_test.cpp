#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "eigen_test_support.h"
#include "linear_algebra.h"
#include "sample_matrices.h"

namespace {

TEST(BalanceMatrix, DiagonalMatrixIsolatesEveryRow) {
    ComplexF a[9] = {{1, 1}, 0, 0, 0, {2, 0}, 0, 0, 0, {3, -1}};
    const std::vector<ComplexF> original(a, a + 9);
    float scale[3] = {-1, -1, -1};
    int low = -1, igh = -1;
    balance_matrix(a, 3, 3, low, igh, scale);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(igh, 0);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(scale[i], static_cast<float>(i));
    EXPECT_EQ(std::vector<ComplexF>(a, a + 9), original);
}

TEST(BalanceMatrix, IsolatingRowAndColumnLeaveTheMiddleBlock) {
    // Row 2 is zero off the diagonal (goes to the bottom); column 0 is zero
    // below the diagonal (goes to the top, where it already is).
    ComplexF a[16] = {};
    auto at = [&](int i, int j) -> ComplexF& { return a[i + 4 * j]; };
    at(0, 0) = 1; at(0, 1) = 2; at(0, 2) = 3; at(0, 3) = 4;
    at(1, 1) = 5; at(1, 2) = 6; at(1, 3) = 7;
    at(2, 2) = 8;
    at(3, 1) = 9; at(3, 2) = 1; at(3, 3) = 2;
    float scale[4];
    int low = 0, igh = 0;
    balance_matrix(a, 4, 4, low, igh, scale);
    EXPECT_EQ(low, 1);
    EXPECT_EQ(igh, 2);
    EXPECT_EQ(scale[3], 2.0f);  // former index of the row moved to the bottom
    EXPECT_EQ(scale[0], 0.0f);
}

TEST(BalanceMatrix, ScalesByPowersOfTwoAsAnExactSimilarity) {
    const int n = 4;
    ComplexF a[n * n];
    fill_random(a, n, n, n, 7);
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) a[i + j * n] *= std::pow(10.0f, static_cast<float>(j - i) * 2);
    }
    const std::vector<ComplexF> original(a, a + n * n);
    float scale[n];
    int low = 0, igh = 0;
    balance_matrix(a, n, n, low, igh, scale);
    ASSERT_EQ(low, 0);
    ASSERT_EQ(igh, n - 1);
    for (int i = 0; i < n; ++i) {
        int exponent = 0;
        EXPECT_EQ(std::frexp(scale[i], &exponent), 0.5f) << "not a power of 2: " << scale[i];
        for (int j = 0; j < n; ++j) {
            EXPECT_EQ(a[i + j * n], original[i + j * n] / scale[i] * scale[j]);
        }
    }
    // Row and column sums of the balanced matrix are now within a factor 4.
    for (int i = 0; i < n; ++i) {
        float c = 0, r = 0;
        for (int j = 0; j < n; ++j) {
            if (j == i) continue;
            c += std::abs(a[j + i * n]);
            r += std::abs(a[i + j * n]);
        }
        EXPECT_LT(std::max(c, r) / std::min(c, r), 16.0f);
    }
}

TEST(BalanceMatrix, SumsNearTheTopOfTheRangeEndWithAnExactScaling) {
    // Column sum 1 against row sum 2.6E38: the column sum grows by 4 per step
    // up to 2^128, one step beyond the largest 32-bit value.
    ComplexF a[4] = {{1, 0}, {1, 0}, {2.6e38f, 0}, {1, 0}};
    float scale[2];
    int low = 0, igh = 0;
    balance_matrix(a, 2, 2, low, igh, scale);
    ASSERT_EQ(low, 0);
    ASSERT_EQ(igh, 1);
    for (const ComplexF& v : a) EXPECT_TRUE(std::isfinite(v.real()));
    // Balanced: the two off-diagonal moduli within a factor 4 of each other.
    EXPECT_LT(std::abs(a[2]) / std::abs(a[1]), 4.0f);
    EXPECT_LT(std::abs(a[1]) / std::abs(a[2]), 4.0f);
    EXPECT_EQ(a[1] * a[2], ComplexF(2.6e38f, 0));  // exact similarity
}

TEST(BalanceMatrix, EntriesSpreadOverTheWholeRangeDoNotKeepItBusy) {
    // Moduli from 1E-45 to beyond the largest 32-bit value: scaling keeps
    // overflowing and underflowing entries, and the sweeps never settle.
    const float big = 3e38f, huge = 3.4e38f, wide = 2.6e38f, tiny = 1.4013e-45f;
    ComplexF a[25] = {{big, big},    {-0.719226f, 0}, {0, wide},      {1e-20f, 1e20f},  {0.0363051f, 1},
                      {0.658294f, 0}, {-0.92189f, tiny}, {big, 0},      {wide, -huge},   {-0.176424f, big},
                      {-huge, 1e-20f}, {1e-38f, 0},    {-0.963423f, wide}, {tiny, 0},     {1e20f, 0},
                      {tiny, 0},      {-0.104213f, 0}, {big, 1e-38f},   {-0.761019f, 0}, {1e-20f, 1e-20f},
                      {1e30f, 0},     {0, 1e20f},      {1e20f, wide},   {1e-38f, 0},     {-huge, 0}};
    float scale[5];
    int low = 0, igh = 0;
    balance_matrix(a, 5, 5, low, igh, scale);
    for (int i = low; i <= igh; ++i) {
        int exponent = 0;
        EXPECT_EQ(std::frexp(scale[i], &exponent), 0.5f) << "not a power of 2: " << scale[i];
    }
}

TEST(ReduceToHessenberg, KeepsTraceAndUsesBoundedMultipliers) {
    const int n = 9, lda = 12;
    ComplexF a[lda * n];
    fill_random(a, n, n, lda, 11);
    ComplexF trace = 0;
    for (int i = 0; i < n; ++i) trace += a[i + i * lda];
    EigenWork work;
    reduce_to_hessenberg(a, n, lda, 0, n - 1, work.exchanges);
    ComplexF reduced_trace = 0;
    for (int i = 0; i < n; ++i) reduced_trace += a[i + i * lda];
    EXPECT_LT(std::abs(reduced_trace - trace), 1e-5f);
    for (int j = 0; j < n; ++j) {
        for (int i = j + 2; i < n; ++i) EXPECT_LE(std::abs(a[i + j * lda]), 1.0f + 1e-6f);
    }
    for (int m = 1; m < n - 1; ++m) {
        EXPECT_GE(work.exchanges[m], m);
        EXPECT_LT(work.exchanges[m], n);
    }
}

TEST(LrIteration, TriangularMatrixGivesItsDiagonal) {
    ComplexF h[9] = {{1, 0}, 0, 0, {2, 1}, {0, 3}, 0, {1, 1}, {4, 0}, {-2, 0}};
    ComplexF w[3], z[9];
    int exchanges[3] = {0, 1, 2}, marks[3];
    int error = -1;
    lr_iteration(h, 3, 3, 0, 2, exchanges, w, z, 3, marks, error);
    ASSERT_EQ(error, 0);
    EXPECT_EQ(w[0], ComplexF(1, 0));
    EXPECT_EQ(w[1], ComplexF(0, 3));
    EXPECT_EQ(w[2], ComplexF(-2, 0));
}

TEST(LrIteration, NonConvergenceReportsTheEigenvalueIndex) {
    const float nan = std::nanf("");
    ComplexF h[9] = {{1, 0}, {nan, 0}, 0, {2, 0}, {3, 0}, {1, 0}, {0, 0}, {1, 0}, {2, 0}};
    ComplexF w[3], z[9];
    int exchanges[3] = {0, 1, 2}, marks[3];
    int error = 0;
    lr_iteration(h, 3, 3, 0, 2, exchanges, w, z, 3, marks, error);
    EXPECT_EQ(error, 3);  // the first eigenvalue sought, the last one
}

TEST(BackTransform, ScalesBlockRowsThenUndoesIsolatingExchanges) {
    // Block is rows 1 .. 2; row 0 was exchanged with row 2, row 3 with row 1.
    const float scale[4] = {2.0f, 4.0f, 0.5f, 1.0f};
    ComplexF z[8];
    for (int i = 0; i < 4; ++i) {
        z[i] = ComplexF(static_cast<float>(i), 0);
        z[i + 4] = ComplexF(0, static_cast<float>(i));
    }
    back_transform(z, 4, 4, 1, 2, scale, 2);
    // After scaling rows 1 and 2: (0, 4, 1, 3); row 0 <-> row 2: (1, 4, 0, 3);
    // row 3 <-> row 1: (1, 3, 0, 4).
    EXPECT_EQ(z[0], ComplexF(1, 0));
    EXPECT_EQ(z[1], ComplexF(3, 0));
    EXPECT_EQ(z[2], ComplexF(0, 0));
    EXPECT_EQ(z[3], ComplexF(4, 0));
    EXPECT_EQ(z[5], ComplexF(0, 3));
}

TEST(RefineEigenvectors, LeavesGoodPairsAloneAndRepairsPoorOnes) {
    // [[2, 1], [0, 3]]: eigenvalue 2 with (1, 0), eigenvalue 3 with (1, 1).
    const ComplexF a[4] = {2, 0, 1, 3};
    ComplexF w[2] = {2, 3};
    ComplexF z[4] = {1, 0, {0.9f, 0.1f}, 1.1f};  // the second vector is off
    RefineWork work;
    refine_eigenvectors(a, 2, 2, w, z, 2, work);
    EXPECT_EQ(z[0], ComplexF(1, 0));
    EXPECT_EQ(z[1], ComplexF(0, 0));
    EXPECT_EQ(w[0], ComplexF(2, 0));
    EXPECT_NEAR(std::abs(z[2] - z[3]), 0.0f, 1e-6f);  // parallel to (1, 1)
    EXPECT_NEAR(std::abs(w[1] - ComplexF(3, 0)), 0.0f, 1e-6f);
}

TEST(NormalizeEigenvectors, UnitLengthLargestComponentRealPositiveFirstOnTies) {
    ComplexF z[4] = {{3, 0}, {0, 4}, {1, 0}, {-1, 0}};
    int error = 0;
    normalize_eigenvectors(z, 2, 2, error);
    EXPECT_EQ(error, 0);
    EXPECT_NEAR(z[0].real(), 0.0f, 1e-7f);
    EXPECT_NEAR(z[0].imag(), -0.6f, 1e-7f);
    EXPECT_EQ(z[1], ComplexF(0.8f, 0));
    EXPECT_NEAR(z[2].real(), std::sqrt(0.5f), 1e-7f);
    EXPECT_NEAR(z[3].real(), -std::sqrt(0.5f), 1e-7f);
    expect_normalised_columns(z, 2, 2);
}

TEST(NormalizeEigenvectors, ZeroColumnReportsItsIndex) {
    ComplexF z[9] = {1, 0, 0, 0, 0, 0, 0, 0, 1};
    int error = 0;
    normalize_eigenvectors(z, 3, 3, error);
    EXPECT_EQ(error, 2);
}

TEST(NormalizeEigenvectors, ExtremeMagnitudesDoNotOverflow) {
    ComplexF z[4] = {{3e37f, 0}, {3e37f, 3e37f}, {1e-40f, 0}, {0, 0}};
    int error = 0;
    normalize_eigenvectors(z, 2, 2, error);
    ASSERT_EQ(error, 0);
    expect_normalised_columns(z, 2, 2);
}

}  // namespace
