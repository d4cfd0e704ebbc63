#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "eigen_test_support.h"
#include "linear_algebra.h"
#include "sample_matrices.h"

namespace {

constexpr int LD = 32;  // line matrices live in 32 x 32 tables

struct Decomposition {
    int n;
    checks::Matrix original;
    ComplexF a[LD * LD];
    ComplexF w[LD];
    ComplexF z[LD * LD];
    float scale[LD];
    EigenWork work;
    int error = -1;

    Decomposition(int size, const ComplexF* matrix, int lda)
        : n(size), original(checks::copy_of(matrix, size, size, lda)) {
        for (int j = 0; j < n; ++j) std::copy(matrix + j * lda, matrix + j * lda + n, a + j * LD);
        eigen_decompose(a, n, LD, w, z, LD, scale, work, error);
    }
    double residual() const { return checks::eigen_residual(original, w, z, LD); }
};

// Residual below 1e-4, normalised columns, and eigenvectors independent
// enough for the modal analysis to invert them.
void expect_sound(const Decomposition& d, const char* what) {
    ASSERT_EQ(d.error, 0) << what << ", n = " << d.n;
    EXPECT_LT(d.residual(), 1e-4) << what << ", n = " << d.n;
    expect_normalised_columns(d.z, d.n, LD);
    ComplexF inverse[LD * LD];
    std::copy(d.z, d.z + LD * LD, inverse);
    int swaps[LD];
    int error = 0;
    invert_matrix(inverse, d.n, LD, swaps, error);
    EXPECT_EQ(error, 0) << what << ", n = " << d.n;
}

TEST(EigenDecompose, DiagonalMatrixGivesItsEntriesAndUnitVectors) {
    ComplexF a[16] = {};
    const ComplexF diagonal[4] = {{3, 1}, {-2, 0}, {0, 5}, {3, 1}};
    for (int i = 0; i < 4; ++i) a[i + 4 * i] = diagonal[i];
    Decomposition d(4, a, 4);
    ASSERT_EQ(d.error, 0);
    for (int j = 0; j < 4; ++j) {
        EXPECT_EQ(d.w[j], diagonal[j]);
        for (int i = 0; i < 4; ++i) EXPECT_EQ(d.z[i + j * LD], ComplexF(i == j ? 1.0f : 0.0f, 0));
    }
}

TEST(EigenDecompose, RotationGivesPlusAndMinusJ) {
    const ComplexF a[4] = {0, -1, 1, 0};  // [[0, 1], [-1, 0]]
    Decomposition d(2, a, 2);
    expect_sound(d, "rotation");
    std::vector<float> imaginary = {d.w[0].imag(), d.w[1].imag()};
    std::sort(imaginary.begin(), imaginary.end());
    EXPECT_NEAR(imaginary[0], -1.0f, 1e-6f);
    EXPECT_NEAR(imaginary[1], 1.0f, 1e-6f);
    EXPECT_NEAR(d.w[0].real(), 0.0f, 1e-6f);
    EXPECT_NEAR(d.w[1].real(), 0.0f, 1e-6f);
    // Both components have modulus 1/sqrt(2): the first is the real one.
    for (int j = 0; j < 2; ++j) {
        EXPECT_NEAR(d.z[j * LD].real(), std::sqrt(0.5f), 1e-6f);
        EXPECT_EQ(d.z[j * LD].imag(), 0.0f);
    }
}

TEST(EigenDecompose, SingleEntry) {
    const ComplexF a[1] = {{-4, 2}};
    Decomposition d(1, a, 1);
    ASSERT_EQ(d.error, 0);
    EXPECT_EQ(d.w[0], a[0]);
    EXPECT_EQ(d.z[0], ComplexF(1, 0));
}

TEST(EigenDecompose, RandomMatricesUpToFullSize) {
    for (int n = 1; n <= 32; ++n) {
        ComplexF a[LD * LD];
        fill_random(a, n, n, LD, 1000 + n);
        expect_sound(Decomposition(n, a, LD), "random");
    }
}

TEST(EigenDecompose, LossyLinesAtOneMegahertz) {
    for (int n = 1; n <= 32; ++n) {
        ComplexF p[LD * LD];
        fill_line_product({n, 1.0e6, LineLayout::LADDER}, p, LD);
        expect_sound(Decomposition(n, p, LD), "ladder line at 1 MHz");
    }
}

TEST(EigenDecompose, EntriesSpanningManyDecadesAtOneKilohertzAndTenGigahertz) {
    for (double f : {1.0e3, 1.0e10}) {
        for (int n : {2, 3, 8, 16, 32}) {
            ComplexF p[LD * LD];
            fill_line_product({n, f, LineLayout::LADDER}, p, LD);
            expect_sound(Decomposition(n, p, LD), f < 1e6 ? "ladder at 1 kHz" : "ladder at 10 GHz");
        }
    }
}

TEST(EigenDecompose, RepeatedEigenvalues) {
    for (LineLayout layout : {LineLayout::RING, LineLayout::EQUAL_COUPLING}) {
        for (int n : {3, 4, 6, 12, 32}) {
            for (double f : {1.0e3, 1.0e6, 1.0e10}) {
                ComplexF p[LD * LD];
                fill_line_product({n, f, layout}, p, LD);
                expect_sound(Decomposition(n, p, LD),
                             layout == LineLayout::RING ? "ring line" : "equally coupled line");
            }
        }
    }
    // A multiple of the identity plus a rank-one part: 5 three times, 8 once.
    ComplexF a[16];
    for (int j = 0; j < 4; ++j) {
        for (int i = 0; i < 4; ++i) a[i + 4 * j] = ComplexF(i == j ? 5.75f : 0.75f, 0);
    }
    Decomposition d(4, a, 4);
    expect_sound(d, "identity plus rank one");
    int fives = 0;
    for (int j = 0; j < 4; ++j) fives += std::abs(d.w[j] - ComplexF(5, 0)) < 1e-5f;
    EXPECT_EQ(fives, 3);
}

TEST(EigenDecompose, FailuresAreReportedNotHung) {
    ComplexF a[9];
    fill_random(a, 3, 3, 3, 5);
    a[4] = ComplexF(std::numeric_limits<float>::infinity(), 0);
    Decomposition infinite(3, a, 3);  // returns instead of scaling for ever

    fill_random(a, 3, 3, 3, 5);
    a[1] = ComplexF(std::nanf(""), 0);
    Decomposition not_a_number(3, a, 3);
    EXPECT_GT(not_a_number.error, 0);

    ComplexF big[33 * 33] = {};
    ComplexF w[33], z[33 * 33];
    float scale[33];
    EigenWork work;
    int error = 0;
    eigen_decompose(big, 33, 33, w, z, 33, scale, work, error);
    EXPECT_EQ(error, 1);
}

}  // namespace
