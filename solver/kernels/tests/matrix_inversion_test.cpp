#include <gtest/gtest.h>

#include <vector>

#include "linear_algebra.h"
#include "matrix_checks.h"
#include "sample_matrices.h"

namespace {

template <class Complex>
double identity_error(const Complex* original, const Complex* inverse, int n, int lda) {
    const auto product = checks::product(checks::copy_of(original, n, n, lda),
                                         checks::copy_of(inverse, n, n, lda));
    double worst = 0.0;
    for (int j = 0; j < n; ++j) {
        for (int i = 0; i < n; ++i) {
            worst = std::max(worst, std::abs(product(i, j) - (i == j ? 1.0 : 0.0)));
        }
    }
    return worst;
}

TEST(InvertMatrix, ExchangeMatrixIsItsOwnInverse) {
    ComplexD a[4] = {0.0, 1.0, 1.0, 0.0};
    int swaps[2];
    int error = 0;
    invert_matrix(a, 2, 2, swaps, error);
    EXPECT_EQ(error, 0);
    EXPECT_EQ(swaps[0], 1);  // rows exchanged at the first step
    EXPECT_EQ(a[0], 0.0);
    EXPECT_EQ(a[1], 1.0);
    EXPECT_EQ(a[2], 1.0);
    EXPECT_EQ(a[3], 0.0);
}

TEST(InvertMatrix, EqualModuliKeepTheUpperRow) {
    // Column 0 holds 1 and -j: same modulus, so no exchange.
    ComplexF a[4] = {{1, 0}, {0, -1}, {2, 0}, {1, 0}};
    int swaps[2];
    int error = 0;
    invert_matrix(a, 2, 2, swaps, error);
    EXPECT_EQ(error, 0);
    EXPECT_EQ(swaps[0], 0);
}

TEST(InvertMatrix, ZeroColumnIsReportedAndErrorNeverCleared) {
    ComplexD a[9] = {1.0, 2.0, 3.0, 0.0, 0.0, 0.0, 4.0, 5.0, 7.0};
    int swaps[3];
    int error = 0;
    invert_matrix(a, 3, 3, swaps, error);
    EXPECT_EQ(error, 1);

    ComplexF b[1] = {ComplexF(2, 0)};
    int one_swap[1];
    error = 1;
    invert_matrix(b, 1, 1, one_swap, error);
    EXPECT_EQ(error, 1);  // success does not clear an earlier failure
    EXPECT_EQ(b[0], ComplexF(0.5f, 0));
}

TEST(InvertMatrix, RandomMatricesInBothPrecisions) {
    constexpr int lda = 32;
    for (int n = 1; n <= 32; n += 3) {
        std::vector<ComplexD> ad(lda * n);
        std::vector<ComplexF> af(lda * n);
        fill_random(ad.data(), n, n, lda, 10 + n);
        fill_random(af.data(), n, n, lda, 10 + n);
        const auto ad0 = ad;
        const auto af0 = af;
        int swaps[32];
        int error = 0;
        invert_matrix(ad.data(), n, lda, swaps, error);
        invert_matrix(af.data(), n, lda, swaps, error);
        ASSERT_EQ(error, 0) << n;
        EXPECT_LT(identity_error(ad0.data(), ad.data(), n, lda), 1e-11) << n;
        EXPECT_LT(identity_error(af0.data(), af.data(), n, lda), 2e-3) << n;
    }
}

TEST(InvertMatrix, LineMatrixSpanningManyDecades) {
    ComplexF p[32 * 32];
    fill_line_product({32, 1.0e3, LineLayout::LADDER}, p, 32);
    ComplexF inverse[32 * 32];
    std::copy(p, p + 32 * 32, inverse);
    int swaps[32];
    int error = 0;
    invert_matrix(inverse, 32, 32, swaps, error);
    ASSERT_EQ(error, 0);
    EXPECT_LT(identity_error(p, inverse, 32, 32), 1e-3);
}

}  // namespace
