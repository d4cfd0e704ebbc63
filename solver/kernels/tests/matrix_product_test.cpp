#include <gtest/gtest.h>

#include <vector>

#include "linear_algebra.h"
#include "matrix_checks.h"
#include "sample_matrices.h"

namespace {

TEST(MultiplyMatrices, SmallProductWithLeadingDimensionsLeavesPaddingAlone) {
    // A 2 x 3 in a table of 4 rows, B 3 x 2 in 3 rows, C 2 x 2 in 5 rows.
    const ComplexD pad(99.0, 99.0);
    std::vector<ComplexD> a(4 * 3, pad), b(3 * 2, pad), c(5 * 2, pad);
    const ComplexD av[2][3] = {{{1, 1}, {2, 0}, {0, -1}}, {{0, 2}, {1, 0}, {3, 1}}};
    const ComplexD bv[3][2] = {{{1, 0}, {0, 1}}, {{2, 2}, {1, 0}}, {{0, 1}, {1, -1}}};
    for (int i = 0; i < 2; ++i)
        for (int l = 0; l < 3; ++l) a[i + 4 * l] = av[i][l];
    for (int l = 0; l < 3; ++l)
        for (int j = 0; j < 2; ++j) b[l + 3 * j] = bv[l][j];

    multiply_matrices(a.data(), b.data(), c.data(), 2, 2, 3, 4, 3, 5);

    for (int i = 0; i < 2; ++i) {
        for (int j = 0; j < 2; ++j) {
            ComplexD expected = 0.0;
            for (int l = 0; l < 3; ++l) expected += av[i][l] * bv[l][j];
            EXPECT_EQ(c[i + 5 * j], expected) << i << "," << j;
        }
        for (int r = 2; r < 5; ++r) EXPECT_EQ(c[r + 5 * i], pad);
    }
}

TEST(MultiplyMatrices, EmptyInnerDimensionGivesZero) {
    std::vector<ComplexF> c(6, ComplexF(5, 5));
    ComplexF dummy(1, 1);
    multiply_matrices(&dummy, &dummy, c.data(), 2, 3, 0, 2, 1, 2);
    for (const auto& z : c) EXPECT_EQ(z, ComplexF(0, 0));
}

TEST(MultiplyMatrices, MatchesReferenceInBothPrecisions) {
    const int m = 13, n = 7, k = 32;
    std::vector<ComplexD> ad(32 * k), bd(32 * n), cd(32 * n);
    std::vector<ComplexF> af(32 * k), bf(32 * n), cf(32 * n);
    fill_random(ad.data(), m, k, 32, 1);
    fill_random(bd.data(), k, n, 32, 2);
    fill_random(af.data(), m, k, 32, 1);
    fill_random(bf.data(), k, n, 32, 2);

    multiply_matrices(ad.data(), bd.data(), cd.data(), m, n, k, 32, 32, 32);
    multiply_matrices(af.data(), bf.data(), cf.data(), m, n, k, 32, 32, 32);

    const auto expected = checks::product(checks::copy_of(ad.data(), m, k, 32),
                                          checks::copy_of(bd.data(), k, n, 32));
    for (int j = 0; j < n; ++j) {
        for (int i = 0; i < m; ++i) {
            EXPECT_NEAR(std::abs(cd[i + 32 * j] - expected(i, j)), 0.0, 1e-13);
            EXPECT_NEAR(std::abs(checks::widen(cf[i + 32 * j]) - expected(i, j)), 0.0, 1e-5);
        }
    }
}

}  // namespace
