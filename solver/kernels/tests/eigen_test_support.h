#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "linear_algebra.h"
#include "matrix_checks.h"

// Checks every column of v (n x n): unit Euclidean length, and a component of
// largest modulus (up to rounding: near ties are allowed) real and positive.
inline void expect_normalised_columns(const ComplexF* v, int n, int ldv) {
    for (int j = 0; j < n; ++j) {
        const ComplexF* column = v + j * ldv;
        double length = 0.0;
        double largest = 0.0;
        for (int i = 0; i < n; ++i) {
            length += std::norm(checks::widen(column[i]));
            largest = std::max(largest, std::abs(checks::widen(column[i])));
        }
        EXPECT_NEAR(std::sqrt(length), 1.0, 1e-5) << "column " << j;
        bool real_positive = false;
        for (int i = 0; i < n; ++i) {
            const ComplexF c = column[i];
            real_positive |= std::abs(checks::widen(c)) >= largest * (1.0 - 1e-6) &&
                             c.real() > 0.0f && std::fabs(c.imag()) <= 1e-6f * c.real();
        }
        EXPECT_TRUE(real_positive) << "column " << j;
    }
}
