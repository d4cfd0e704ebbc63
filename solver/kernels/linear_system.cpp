#include "linear_system.h"

#include <algorithm>
#include <utility>

#include "complex_vector_ops.h"

// The factorisation runs right-looking in panels of PANEL_WIDTH columns. Each
// panel is factorised column by column (pivot, exchange, scale the pivot row
// of U, rank-1 update of the panel); the same exchanges are then applied to
// the columns left and right of the panel, the block row of U right of the
// panel is solved with the panel's triangle, and the trailing matrix receives
// the product of the panel's L and that block row. Every element of L and U
// is the same sum of products as in the column-by-column Crout scheme, only
// accumulated in a different order, and the pivot of each column is chosen
// from the same updated values.

namespace {

using kernels_detail::ComplexFactor;
using kernels_detail::load;
using kernels_detail::store;
using kernels_detail::subtract_scaled;
using kernels_detail::swap_parts;
using kernels_detail::Vec2;

constexpr int PANEL_WIDTH = 48;
constexpr int ROW_BLOCK = 64;  // rows of L packed at a time for the trailing update

ComplexD* column(ComplexD* a, int lda, int j) { return a + static_cast<long>(j) * lda; }

// C (m x columns) -= A (m x depth) B (depth x columns), all column-major.
// A is packed in pairs of rows, B in pairs of columns with each part
// duplicated, so that the 2 x 2 register tile needs plain vector loads only.
void subtract_product(const ComplexD* a, int lda, const ComplexD* b, int ldb, ComplexD* c, int ldc,
                      int m, int columns, int depth) {
    alignas(16) Vec2 packed_a[ROW_BLOCK * PANEL_WIDTH];
    alignas(16) Vec2 packed_b[4 * PANEL_WIDTH];
    const Vec2 zero = {0.0, 0.0};
    const Vec2 sign = {-1.0, 1.0};

    for (int i0 = 0; i0 < m; i0 += ROW_BLOCK) {
        const int rows = std::min(ROW_BLOCK, m - i0);
        const int pairs = (rows + 1) / 2;
        for (int l = 0; l < depth; ++l) {
            const ComplexD* al = a + i0 + static_cast<long>(l) * lda;
            for (int r = 0; r < 2 * pairs; ++r) {
                packed_a[((r / 2) * depth + l) * 2 + (r % 2)] = r < rows ? load(al + r) : zero;
            }
        }
        for (int j0 = 0; j0 < columns; j0 += 2) {
            const bool two_columns = j0 + 1 < columns;
            const ComplexD* b0 = b + static_cast<long>(j0) * ldb;
            const ComplexD* b1 = two_columns ? b0 + ldb : b0;
            for (int l = 0; l < depth; ++l) {
                packed_b[4 * l + 0] = Vec2{b0[l].real(), b0[l].real()};
                packed_b[4 * l + 1] = Vec2{b0[l].imag(), b0[l].imag()};
                packed_b[4 * l + 2] = Vec2{b1[l].real(), b1[l].real()};
                packed_b[4 * l + 3] = Vec2{b1[l].imag(), b1[l].imag()};
            }
            ComplexD* c0 = c + i0 + static_cast<long>(j0) * ldc;
            ComplexD* c1 = c0 + ldc;
            for (int p = 0; p < pairs; ++p) {
                const Vec2* ap = packed_a + 2 * p * depth;
                Vec2 r00 = zero, i00 = zero, r10 = zero, i10 = zero;
                Vec2 r01 = zero, i01 = zero, r11 = zero, i11 = zero;
                for (int l = 0; l < depth; ++l) {
                    const Vec2 a0 = ap[2 * l];
                    const Vec2 a1 = ap[2 * l + 1];
                    const Vec2* bl = packed_b + 4 * l;
                    r00 += a0 * bl[0];
                    i00 += a0 * bl[1];
                    r10 += a1 * bl[0];
                    i10 += a1 * bl[1];
                    r01 += a0 * bl[2];
                    i01 += a0 * bl[3];
                    r11 += a1 * bl[2];
                    i11 += a1 * bl[3];
                }
                // (x_r b_r, x_i b_r) + (-x_i b_i, x_r b_i) = x b
                const int row = 2 * p;
                store(c0 + row, load(c0 + row) - (r00 + swap_parts(i00) * sign));
                if (two_columns) store(c1 + row, load(c1 + row) - (r01 + swap_parts(i01) * sign));
                if (row + 1 < rows) {
                    store(c0 + row + 1, load(c0 + row + 1) - (r10 + swap_parts(i10) * sign));
                    if (two_columns) {
                        store(c1 + row + 1, load(c1 + row + 1) - (r11 + swap_parts(i11) * sign));
                    }
                }
            }
        }
    }
}

// Factorises columns k0 .. k0 + width - 1 (rows k0 .. n - 1), exchanging rows
// within the panel only; pivots[k - k0] receives the row exchanged with row k.
bool factorise_panel(ComplexD* a, int n, int lda, int k0, int width, int* order, int* pivots) {
    const int k_end = k0 + width;
    for (int k = k0; k < k_end; ++k) {
        ComplexD* ck = column(a, lda, k);
        const int p = k + kernels_detail::largest_modulus_index(ck + k, n - k);
        pivots[k - k0] = p;
        if (p != k) {
            std::swap(order[k], order[p]);
            for (int j = k0; j < k_end; ++j) std::swap(column(a, lda, j)[k], column(a, lda, j)[p]);
        }
        if (kernels_detail::is_zero(ck[k])) return false;
        const ComplexD q = 1.0 / ck[k];
        for (int j = k + 1; j < k_end; ++j) {
            ComplexD* cj = column(a, lda, j);
            cj[k] *= q;
            subtract_scaled(cj + k + 1, ck + k + 1, cj[k], n - k - 1);
        }
    }
    return true;
}

// Applies the panel's row exchanges to columns [j_begin, j_end).
void exchange_rows(ComplexD* a, int lda, int k0, int width, const int* pivots, int j_begin,
                   int j_end) {
    for (int j = j_begin; j < j_end; ++j) {
        ComplexD* cj = column(a, lda, j);
        for (int k = k0; k < k0 + width; ++k) {
            const int p = pivots[k - k0];
            if (p != k) std::swap(cj[k], cj[p]);
        }
    }
}

// Block row of U right of the panel: U12 := L11^-1 A12, column by column.
void solve_block_row(ComplexD* a, int n, int lda, int k0, int width) {
    ComplexD reciprocal[PANEL_WIDTH];
    for (int k = k0; k < k0 + width; ++k) reciprocal[k - k0] = 1.0 / column(a, lda, k)[k];
    for (int j = k0 + width; j < n; ++j) {
        ComplexD* cj = column(a, lda, j);
        for (int k = k0; k < k0 + width; ++k) {
            cj[k] *= reciprocal[k - k0];
            subtract_scaled(cj + k + 1, column(a, lda, k) + k + 1, cj[k], k0 + width - k - 1);
        }
    }
}

bool factorise(ComplexD* a, int n, int lda, int* order) {
    for (int i = 0; i < n; ++i) order[i] = i;
    int pivots[PANEL_WIDTH];
    for (int k0 = 0; k0 < n; k0 += PANEL_WIDTH) {
        const int width = std::min(PANEL_WIDTH, n - k0);
        if (!factorise_panel(a, n, lda, k0, width, order, pivots)) return false;
        exchange_rows(a, lda, k0, width, pivots, 0, k0);
        exchange_rows(a, lda, k0, width, pivots, k0 + width, n);
        const int next = k0 + width;
        if (next == n) break;
        solve_block_row(a, n, lda, k0, width);
        subtract_product(column(a, lda, k0) + next, lda, column(a, lda, next) + k0, lda,
                         column(a, lda, next) + next, lda, n - next, n - next, width);
    }
    return true;
}

// Forward substitution with L (pivots on the diagonal), then back
// substitution with the unit upper triangle U, both column by column.
void substitute(const ComplexD* a, int n, int lda, const int* order, ComplexD* b, ComplexD* x) {
    for (int k = 0; k < n; ++k) x[k] = b[order[k]];
    for (int k = 0; k < n; ++k) {
        const ComplexD* ck = a + static_cast<long>(k) * lda;
        x[k] *= 1.0 / ck[k];
        b[order[k]] = x[k];
        subtract_scaled(x + k + 1, ck + k + 1, x[k], n - k - 1);
    }
    for (int k = n - 1; k > 0; --k) {
        subtract_scaled(x, a + static_cast<long>(k) * lda, x[k], k);
    }
    for (int k = 0; k < n; ++k) b[order[k]] = x[k];
}

}  // namespace

void solve_linear_system(ComplexD* a, ComplexD* b, ComplexD* x, int n, int lda, int reuse,
                         int& error, int* order) {
    if (reuse == 0) {
        error = 0;
        if (n <= 0) return;
        if (!factorise(a, n, lda, order)) {
            error = 1;
            return;
        }
    }
    if (n <= 0) return;
    substitute(a, n, lda, order, b, x);
}
