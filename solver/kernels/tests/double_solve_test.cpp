#include <gtest/gtest.h>

#include <vector>

#include "double_solve.h"
#include "sample_matrices.h"

namespace {

constexpr int LD = DOUBLE_SOLVE_MAX_ORDER;

// A X = B to double-precision rounding for a single-precision A that needs
// row exchanges (a zero leading entry), at the largest order.
TEST(SolveInDouble, ResidualAtDoubleRounding) {
    for (int n : {1, 7, LD}) {
        std::vector<ComplexF> a(LD * LD);
        std::vector<ComplexD> b(LD * 3), x;
        fill_random(a.data(), n, n, LD, 5);
        fill_random(b.data(), n, 3, LD, 6);
        if (n > 1) a[0] = 0.0f;
        x = b;
        DoubleSolveWork work;
        ASSERT_TRUE(solve_in_double(a.data(), n, LD, x.data(), 3, LD, work)) << n;
        for (int j = 0; j < 3; ++j)
            for (int i = 0; i < n; ++i) {
                ComplexD sum = -b[i + j * LD];
                for (int l = 0; l < n; ++l) sum += ComplexD(a[i + l * LD]) * x[l + j * LD];
                EXPECT_LT(std::abs(sum), 1e-13) << n << " " << i << " " << j;
            }
    }
}

TEST(SolveInDouble, SingularOrTooLargeLeavesTheColumnsAlone) {
    std::vector<ComplexF> a(LD * LD);
    fill_random(a.data(), 4, 4, LD, 3);
    for (int i = 0; i < 4; ++i) a[i + 2 * LD] = 0.0f;  // the third pivot comes out zero
    std::vector<ComplexD> b(LD, ComplexD(1.0, -1.0));
    DoubleSolveWork work;
    EXPECT_FALSE(solve_in_double(a.data(), 4, LD, b.data(), 1, LD, work));
    EXPECT_FALSE(solve_in_double(a.data(), LD + 1, LD, b.data(), 1, LD, work));
    for (const ComplexD& v : b) EXPECT_EQ(v, ComplexD(1.0, -1.0));
}

}  // namespace
