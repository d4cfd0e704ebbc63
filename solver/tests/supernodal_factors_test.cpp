// The supernodal refactorisation against KLU's own with the same pivot
// order, on block-structured patterns like the node matrices' (dense
// blocks of columns, coupled to their neighbours) and on scattered ones
// whose supernodes are single columns.
#include <gtest/gtest.h>

#include <klu.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "supernodal_factors.h"

namespace {

using solver::SupernodalFactors;

struct Pattern {
    int n = 0;
    std::vector<int> start, rows;
};

// Blocks of `width` columns holding their own rows and half of each
// neighbour's (blocks_coupled) or, otherwise, a few random rows per column.
Pattern make_pattern(int n, int width, bool blocks_coupled, std::mt19937& random) {
    Pattern p;
    p.n = n;
    p.start.push_back(0);
    for (int c = 0; c < n; ++c) {
        std::vector<int> held{c};
        if (blocks_coupled) {
            const int block = c / width * width;
            for (int r = std::max(0, block - width / 2); r < std::min(n, block + width + width / 2); ++r)
                held.push_back(r);
        } else {
            for (int e = 0; e < 3; ++e) held.push_back(static_cast<int>(random() % n));
        }
        std::sort(held.begin(), held.end());
        held.erase(std::unique(held.begin(), held.end()), held.end());
        p.rows.insert(p.rows.end(), held.begin(), held.end());
        p.start.push_back(static_cast<int>(p.rows.size()));
    }
    return p;
}

std::vector<ComplexD> make_values(const Pattern& p, std::mt19937& random) {
    std::uniform_real_distribution<double> value(-1.0, 1.0);
    std::vector<ComplexD> v(p.rows.size());
    for (int c = 0; c < p.n; ++c)
        for (int k = p.start[c]; k < p.start[c + 1]; ++k)
            v[k] = ComplexD(value(random), value(random)) + (p.rows[k] == c ? 4.0 : 0.0);
    return v;
}

class SupernodalFactorsTest : public ::testing::Test {
protected:
    void factorise_first(const Pattern& p, std::vector<ComplexD> first) {
        klu_defaults(&common);
        common.tol = 0.1;
        common.scale = -1;
        common.btf = 0;  // one block, also for the scattered patterns
        symbolic = klu_analyze(p.n, const_cast<int*>(p.start.data()), const_cast<int*>(p.rows.data()), &common);
        numeric = klu_z_factor(const_cast<int*>(p.start.data()), const_cast<int*>(p.rows.data()),
                               reinterpret_cast<double*>(first.data()), symbolic, &common);
        ASSERT_NE(numeric, nullptr);
        factors = SupernodalFactors::create(numeric, symbolic, common, p.start.data(), p.rows.data(), p.n);
        ASSERT_NE(factors, nullptr);
    }

    // Largest difference of the two solutions of A u = b for three
    // right-hand sides, relative to the largest entry of KLU's.
    double difference_to_klu(const Pattern& p, std::vector<ComplexD> a, std::mt19937& random) {
        EXPECT_TRUE(factors->refactor(a.data()));
        EXPECT_TRUE(klu_z_refactor(const_cast<int*>(p.start.data()), const_cast<int*>(p.rows.data()),
                                   reinterpret_cast<double*>(a.data()), symbolic, numeric, &common));
        std::uniform_real_distribution<double> value(-1.0, 1.0);
        const int ld = p.n + 3;
        std::vector<ComplexD> ours(3 * ld), theirs;
        for (ComplexD& v : ours) v = ComplexD(value(random), value(random));
        theirs = ours;
        factors->solve(ours.data(), 3, ld);
        klu_z_solve(symbolic, numeric, ld, 3, reinterpret_cast<double*>(theirs.data()), &common);
        double largest = 0, worst = 0;
        for (int j = 0; j < 3; ++j)
            for (int i = 0; i < p.n; ++i) {
                largest = std::max(largest, std::abs(theirs[i + j * ld]));
                worst = std::max(worst, std::abs(ours[i + j * ld] - theirs[i + j * ld]));
            }
        return worst / largest;
    }

    void TearDown() override {
        if (numeric) klu_z_free_numeric(&numeric, &common);
        if (symbolic) klu_free_symbolic(&symbolic, &common);
    }

    klu_common common{};
    klu_symbolic* symbolic = nullptr;
    klu_numeric* numeric = nullptr;
    std::unique_ptr<SupernodalFactors> factors;
};

TEST_F(SupernodalFactorsTest, AgreesWithKluOnBlockAndScatteredPatterns) {
    std::mt19937 random(7);
    for (const bool blocks : {true, false}) {
        const Pattern p = make_pattern(96, 8, blocks, random);
        factorise_first(p, make_values(p, random));
        if (HasFatalFailure()) return;
        for (int matrix = 0; matrix < 3; ++matrix)
            EXPECT_LE(difference_to_klu(p, make_values(p, random), random), 1e-13) << blocks << " " << matrix;
        TearDown();
        numeric = nullptr;
        symbolic = nullptr;
    }
}

// A column of zeros stops the refactorisation; the next matrix is
// factorised as if it had not happened.
TEST_F(SupernodalFactorsTest, ZeroPivotFailsAndLeavesNothingBehind) {
    std::mt19937 random(11);
    const Pattern p = make_pattern(64, 8, true, random);
    factorise_first(p, make_values(p, random));
    if (HasFatalFailure()) return;
    std::vector<ComplexD> singular = make_values(p, random);
    for (int k = p.start[20]; k < p.start[21]; ++k) singular[k] = 0.0;
    EXPECT_FALSE(factors->refactor(singular.data()));
    EXPECT_LE(difference_to_klu(p, make_values(p, random), random), 1e-13);
}

}  // namespace
