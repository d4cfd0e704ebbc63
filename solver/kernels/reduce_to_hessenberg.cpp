#include <utility>

#include "complex_vector_ops.h"
#include "eigen_decomposition.h"
#include "eigen_indexing.h"

void reduce_to_hessenberg(ComplexF* data, int n, int lda, int low, int igh, int* exchanges) {
    using kernels_detail::is_zero;
    using kernels_detail::squared_modulus;
    kernels_detail::MatrixView a(data, lda);
    const int first = low + 1;  // 1-based bounds of the active block
    const int last = igh + 1;

    for (int m = first + 1; m <= last - 1; ++m) {
        // Pivot: the entry of largest modulus in column m - 1, rows m .. last.
        ComplexF x(0.0f, 0.0f);
        double x_square = 0.0;
        int i = m;
        for (int j = m; j <= last; ++j) {
            const double s = squared_modulus(a(j, m - 1));
            if (s > x_square) {
                x = a(j, m - 1);
                x_square = s;
                i = j;
            }
        }
        exchanges[m - 1] = i - 1;
        if (i != m) {
            for (int j = m - 1; j <= n; ++j) std::swap(a(i, j), a(m, j));
            for (int j = 1; j <= last; ++j) std::swap(a(j, i), a(j, m));
        }
        if (is_zero(x)) continue;
        for (int r = m + 1; r <= last; ++r) {
            ComplexF y = a(r, m - 1);
            if (is_zero(y)) continue;
            y /= x;
            a(r, m - 1) = y;
            for (int j = m; j <= n; ++j) a(r, j) -= y * a(m, j);
            kernels_detail::add_scaled(&a(1, m), &a(1, r), y, last);
        }
    }
}
