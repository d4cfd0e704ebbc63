#include <gtest/gtest.h>

#include <vector>

#include "linear_algebra.h"
#include "matrix_checks.h"
#include "sample_matrices.h"

namespace {

struct System {
    int n;
    int lda;
    std::vector<ComplexD> a, b, x;
    std::vector<int> order;
    System(int size, int leading) : n(size), lda(leading), a(static_cast<size_t>(leading) * size),
                                    b(size), x(size), order(size) {}
    int solve(int reuse) {
        int error = -7;
        solve_linear_system(a.data(), b.data(), x.data(), n, lda, reuse, error, order.data());
        return error;
    }
};

void fill_right_hand_side(std::vector<ComplexD>& b, unsigned seed) {
    fill_random(b.data(), static_cast<int>(b.size()), 1, static_cast<int>(b.size()), seed);
}

TEST(SolveLinearSystem, RandomAndNetworkMatricesUpToFullSize) {
    for (int n : {1, 2, 3, 5, 47, 48, 49, 97, 130, 512}) {
        for (bool network : {false, true}) {
            System s(n, n + 3);
            if (network) {
                fill_network_like(s.a.data(), n, s.lda, n);
            } else {
                fill_random(s.a.data(), n, n, s.lda, n);
            }
            fill_right_hand_side(s.b, 100 + n);
            const auto a0 = checks::copy_of(s.a.data(), n, n, s.lda);
            const auto b0 = s.b;
            ASSERT_EQ(s.solve(0), 0) << n;
            EXPECT_LT(checks::solve_residual(a0, s.x.data(), b0.data()), 1e-12)
                << "n = " << n << (network ? " network" : " random");
            // b ends as the solution in the row order
            for (int i = 0; i < n; ++i) EXPECT_EQ(s.b[s.order[i]], s.x[i]);
        }
    }
}

TEST(SolveLinearSystem, FactorsAreLowerTimesUnitUpperOfReorderedRows) {
    const int n = 100;
    System s(n, n);
    fill_network_like(s.a.data(), n, n, 3);
    const auto a0 = checks::copy_of(s.a.data(), n, n, n);
    ASSERT_EQ(s.solve(0), 0);
    checks::Matrix lower(n, n), upper(n, n);
    for (int j = 0; j < n; ++j) {
        for (int i = 0; i < n; ++i) {
            if (i >= j) lower(i, j) = s.a[i + j * n];
            if (i < j) upper(i, j) = s.a[i + j * n];
        }
        upper(j, j) = 1.0;
    }
    const auto lu = checks::product(lower, upper);
    std::vector<int> seen(n, 0);
    for (int i = 0; i < n; ++i) {
        ++seen[s.order[i]];
        for (int j = 0; j < n; ++j) {
            EXPECT_LT(std::abs(lu(i, j) - a0(s.order[i], j)), 1e-12 * checks::infinity_norm(a0));
        }
    }
    for (int count : seen) EXPECT_EQ(count, 1);  // order is a permutation
}

TEST(SolveLinearSystem, ReuseGivesTheSameSolutionAsAFreshSolve) {
    const int n = 200;
    System first(n, 512), fresh(n, 512);
    fill_network_like(first.a.data(), n, 512, 9);
    fresh.a = first.a;
    fill_right_hand_side(first.b, 1);
    ASSERT_EQ(first.solve(0), 0);

    std::vector<ComplexD> second_b(n);
    fill_right_hand_side(second_b, 2);
    first.b = second_b;
    fresh.b = second_b;
    int error = 5;  // reuse leaves the error argument alone
    solve_linear_system(first.a.data(), first.b.data(), first.x.data(), n, 512, 1, error,
                        first.order.data());
    EXPECT_EQ(error, 5);
    ASSERT_EQ(fresh.solve(0), 0);
    EXPECT_EQ(first.x, fresh.x);
}

TEST(SolveLinearSystem, PivotRowsFollowTheLargestModulus) {
    System s(2, 2);
    s.a = {0.0, 2.0, 1.0, 0.0};  // [[0, 1], [2, 0]]
    s.b = {3.0, 4.0};
    ASSERT_EQ(s.solve(0), 0);
    EXPECT_EQ(s.order[0], 1);
    EXPECT_EQ(s.x[0], 2.0);
    EXPECT_EQ(s.x[1], 3.0);

    System tie(2, 2);
    tie.a = {ComplexD(0, 1), 1.0, 1.0, 2.0};  // column 0: j and 1, equal moduli
    tie.b = {1.0, 1.0};
    ASSERT_EQ(tie.solve(0), 0);
    EXPECT_EQ(tie.order[0], 0);
}

TEST(SolveLinearSystem, ExactlyZeroPivotIsReportedAndClearedByTheNextFactorisation) {
    System zero_column(3, 3);
    zero_column.a = {1.0, 2.0, 3.0, 0.0, 0.0, 0.0, 1.0, 0.0, 1.0};
    zero_column.b = {1.0, 1.0, 1.0};
    EXPECT_EQ(zero_column.solve(0), 1);

    System rank_one(2, 2);
    rank_one.a = {1.0, 2.0, 2.0, 4.0};  // second pivot 4 - 2 * 2 = 0 exactly
    EXPECT_EQ(rank_one.solve(0), 1);

    System single(1, 1);
    single.a = {0.0};
    EXPECT_EQ(single.solve(0), 1);
    single.a = {ComplexD(0, 2)};
    single.b = {ComplexD(4, 0)};
    EXPECT_EQ(single.solve(0), 0);
    EXPECT_EQ(single.x[0], ComplexD(0, -2));
}

TEST(SolveLinearSystem, LeadingDimensionPaddingIsNotTouched) {
    const int n = 70, lda = 80;
    System s(n, lda);
    const ComplexD pad(-123.0, 456.0);
    std::fill(s.a.begin(), s.a.end(), pad);
    fill_random(s.a.data(), n, n, lda, 4);
    fill_right_hand_side(s.b, 5);
    ASSERT_EQ(s.solve(0), 0);
    for (int j = 0; j < n; ++j) {
        for (int i = n; i < lda; ++i) ASSERT_EQ(s.a[i + j * lda], pad);
    }
}

}  // namespace
