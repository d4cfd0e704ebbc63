#include "matrix_product.h"

#include "complex_vector_ops.h"

namespace {

// Column j of C is built as the sum over l of A(:, l) B(l, j), l ascending:
// every element sees the same additions in the same order as a dot product
// that starts from 0, while the inner loop runs down contiguous columns.
template <class Complex>
void multiply(const Complex* a, const Complex* b, Complex* c, int m, int n, int k, int lda,
              int ldb, int ldc) {
    for (int j = 0; j < n; ++j) {
        Complex* cj = c + static_cast<long>(j) * ldc;
        for (int i = 0; i < m; ++i) cj[i] = Complex(0);
        const Complex* bj = b + static_cast<long>(j) * ldb;
        for (int l = 0; l < k; ++l) {
            kernels_detail::add_scaled(cj, a + static_cast<long>(l) * lda, bj[l], m);
        }
    }
}

}  // namespace

void multiply_matrices(const ComplexF* a, const ComplexF* b, ComplexF* c, int m, int n, int k,
                       int lda, int ldb, int ldc) {
    multiply(a, b, c, m, n, k, lda, ldb, ldc);
}

void multiply_matrices(const ComplexD* a, const ComplexD* b, ComplexD* c, int m, int n, int k,
                       int lda, int ldb, int ldc) {
    multiply(a, b, c, m, n, k, lda, ldb, ldc);
}
