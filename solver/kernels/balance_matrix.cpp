#include <cmath>
#include <utility>

#include "complex_vector_ops.h"
#include "eigen_decomposition.h"
#include "eigen_indexing.h"

namespace {

using kernels_detail::is_zero;
using kernels_detail::modulus;
using kernels_detail::MatrixView;

constexpr float RADIX = 2.0f;
constexpr float RADIX_SQUARED = RADIX * RADIX;
constexpr int MAX_BALANCING_SWEEPS = 1000;

// Exchanges row and column j with row and column m (rows 1 .. l, columns
// k .. n) and records j at position m.
void exchange(MatrixView a, int n, int k, int l, int j, int m, float* scale) {
    scale[m - 1] = static_cast<float>(j - 1);
    if (j == m) return;
    for (int i = 1; i <= l; ++i) std::swap(a(i, j), a(i, m));
    for (int i = k; i <= n; ++i) std::swap(a(j, i), a(m, i));
}

// Row j has no nonzero entry off the diagonal in columns 1 .. l.
bool row_isolates(MatrixView a, int l, int j) {
    for (int i = 1; i <= l; ++i) {
        if (i != j && !is_zero(a(j, i))) return false;
    }
    return true;
}

// Column j has no nonzero entry off the diagonal in rows k .. l.
bool column_isolates(MatrixView a, int k, int l, int j) {
    for (int i = k; i <= l; ++i) {
        if (i != j && !is_zero(a(i, j))) return false;
    }
    return true;
}

}  // namespace

void balance_matrix(ComplexF* data, int n, int lda, int& low, int& igh, float* scale) {
    MatrixView a(data, lda);
    int k = 1;
    int l = n;
    if (n <= 0) {
        low = 0;
        igh = -1;
        return;
    }

    // Rows isolating an eigenvalue go to the bottom.
    bool found = true;
    while (found && l >= 1) {
        found = false;
        for (int j = l; j >= 1; --j) {
            if (!row_isolates(a, l, j)) continue;
            exchange(a, n, k, l, j, l, scale);
            found = true;
            if (l == 1) {
                low = 0;
                igh = 0;
                return;
            }
            --l;
            break;
        }
    }
    // Columns isolating an eigenvalue go to the left.
    found = true;
    while (found) {
        found = false;
        for (int j = k; j <= l; ++j) {
            if (!column_isolates(a, k, l, j)) continue;
            exchange(a, n, k, l, j, k, scale);
            found = true;
            ++k;
            break;
        }
    }

    for (int i = k; i <= l; ++i) scale[i - 1] = 1.0f;
    // Sweeps end when one changes nothing. Entries spread over the whole
    // 32-bit range can overflow or underflow while being scaled, and the
    // sweeps could then go on changing them for ever; the count bounds that
    // (well-scaled matrices need a handful).
    bool changed = true;
    for (int sweep = 0; changed && sweep < MAX_BALANCING_SWEEPS; ++sweep) {
        changed = false;
        for (int i = k; i <= l; ++i) {
            float c = 0.0f;
            float r = 0.0f;
            for (int j = k; j <= l; ++j) {
                if (j == i) continue;
                c += modulus(a(j, i));
                r += modulus(a(i, j));
            }
            // A zero (or non-finite) sum would make the loops below run
            // forever; such a row and column are left as they are.
            if (!(c > 0.0f && r > 0.0f && std::isfinite(c) && std::isfinite(r))) continue;
            const float s = c + r;
            // The search for the power of 2 runs in 64 bits: near the top of
            // the 32-bit range c would overflow to infinity there, and the
            // second loop would never end. The steps are exact, so in range
            // both give the same factor.
            double scaled_c = c;
            double f = 1.0;
            while (scaled_c < r / static_cast<double>(RADIX)) {
                f *= RADIX;
                scaled_c *= RADIX_SQUARED;
            }
            while (scaled_c >= r * static_cast<double>(RADIX)) {
                f /= RADIX;
                scaled_c /= RADIX_SQUARED;
            }
            const float factor = static_cast<float>(f);
            // A factor or a scale beyond the 32-bit range is not applied.
            if (!std::isnormal(factor) || !std::isnormal(scale[i - 1] * factor)) continue;
            if ((scaled_c + r) / f < 0.95f * static_cast<double>(s)) {
                const float g = 1.0f / factor;
                scale[i - 1] *= factor;
                changed = true;
                for (int j = k; j <= n; ++j) a(i, j) *= g;
                for (int j = 1; j <= l; ++j) a(j, i) *= factor;
            }
        }
    }
    low = k - 1;
    igh = l - 1;
}
