#include "matrix_inversion.h"

#include <utility>

#include "complex_vector_ops.h"

namespace {

template <class Complex>
void invert(Complex* a, int n, int lda, int* swaps, int& error) {
    using kernels_detail::add_scaled;
    auto at = [a, lda](int i, int j) -> Complex& { return a[i + static_cast<long>(j) * lda]; };
    for (int k = 0; k < n; ++k) swaps[k] = k;

    for (int k = 0; k < n; ++k) {
        Complex* column_k = &at(0, k);
        const int p = k + kernels_detail::largest_modulus_index(column_k + k, n - k);
        if (p != k) {
            swaps[k] = p;
            for (int j = 0; j < n; ++j) std::swap(at(k, j), at(p, j));
        }
        if (kernels_detail::is_zero(at(k, k))) {
            error = 1;
            return;
        }
        const Complex q = Complex(1) / at(k, k);
        for (int i = 0; i < n; ++i) {
            if (i != k) column_k[i] = -column_k[i] * q;
        }
        // A(i, j) += A(i, k) A(k, j) for i, j != k, column by column.
        for (int j = 0; j < n; ++j) {
            if (j == k) continue;
            Complex* column_j = &at(0, j);
            const Complex akj = column_j[k];
            add_scaled(column_j, column_k, akj, k);
            add_scaled(column_j + k + 1, column_k + k + 1, akj, n - k - 1);
        }
        for (int j = 0; j < n; ++j) {
            if (j != k) at(k, j) *= q;
        }
        at(k, k) = q;
    }

    for (int k = n - 2; k >= 0; --k) {
        const int p = swaps[k];
        if (p == k) continue;
        Complex* column_k = &at(0, k);
        Complex* column_p = &at(0, p);
        for (int i = 0; i < n; ++i) std::swap(column_k[i], column_p[i]);
    }
}

}  // namespace

void invert_matrix(ComplexF* a, int n, int lda, int* swaps, int& error) {
    invert(a, n, lda, swaps, error);
}

void invert_matrix(ComplexD* a, int n, int lda, int* swaps, int& error) {
    invert(a, n, lda, swaps, error);
}
