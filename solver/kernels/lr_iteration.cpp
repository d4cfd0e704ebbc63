#include <algorithm>
#include <cmath>
#include <utility>

#include "complex_vector_ops.h"
#include "eigen_decomposition.h"
#include "eigen_indexing.h"

namespace {

using kernels_detail::add_scaled;
using kernels_detail::is_zero;
using kernels_detail::modulus;
using kernels_detail::MatrixView;

constexpr float EPS = EIGEN_MACHINE_PRECISION;

// Z := the product of the elimination and exchange steps of the Hessenberg
// reduction, read back from the multipliers below the subdiagonal of h.
void accumulate_reduction(MatrixView h, MatrixView z, int n, int low, int igh,
                          const int* exchanges) {
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j) z(i, j) = ComplexF(i == j ? 1.0f : 0.0f, 0.0f);
    }
    for (int i = igh - 1; i >= low + 1; --i) {
        for (int k = i + 1; k <= igh; ++k) z(k, i) = h(k, i - 1);
        const int j = exchanges[i - 1] + 1;
        if (i == j) continue;
        for (int k = i; k <= igh; ++k) {
            z(i, k) = z(j, k);
            z(j, k) = ComplexF(0.0f, 0.0f);
        }
        z(j, i) = ComplexF(1.0f, 0.0f);
    }
}

// Shift for the next step on the active block l .. en.
ComplexF choose_shift(MatrixView h, int en, int its) {
    if (its == 10 || its == 20) {
        const ComplexF a = h(en, en - 1);
        const ComplexF b = en >= 3 ? h(en - 1, en - 2) : ComplexF(0.0f, 0.0f);
        return ComplexF(std::fabs(a.real()) + std::fabs(b.real()),
                        std::fabs(a.imag()) + std::fabs(b.imag()));
    }
    ComplexF s = h(en, en);
    const ComplexF x = h(en - 1, en) * h(en, en - 1);
    if (is_zero(x)) return s;
    const ComplexF y = (h(en - 1, en - 1) - s) / 2.0f;
    ComplexF z = std::sqrt(y * y + x);
    if (y.real() * z.real() + y.imag() * z.imag() < 0.0f) z = -z;
    return s - x / (y + z);
}

// One LR step on rows and columns m .. en (columns up to n), accumulating
// the column operations into rows low .. igh of z.
void lr_step(MatrixView h, MatrixView z, int n, int low, int igh, int m, int en, int* marks) {
    for (int i = m + 1; i <= en; ++i) {
        const ComplexF x = h(i - 1, i - 1);
        const ComplexF y = h(i, i - 1);
        ComplexF factor;
        if (modulus(x) < modulus(y)) {
            for (int j = i - 1; j <= n; ++j) std::swap(h(i - 1, j), h(i, j));
            factor = x / y;
            marks[i - 1] = 1;
        } else {
            factor = y / x;
            marks[i - 1] = -1;
        }
        h(i, i - 1) = factor;
        for (int j = i; j <= n; ++j) h(i, j) -= factor * h(i - 1, j);
    }
    for (int j = m + 1; j <= en; ++j) {
        const ComplexF x = h(j, j - 1);
        h(j, j - 1) = ComplexF(0.0f, 0.0f);
        if (marks[j - 1] > 0) {
            std::swap_ranges(&h(1, j - 1), &h(1, j - 1) + j, &h(1, j));
            std::swap_ranges(&z(low, j - 1), &z(low, j - 1) + (igh - low + 1), &z(low, j));
        }
        add_scaled(&h(1, j - 1), &h(1, j), x, j);
        add_scaled(&z(low, j - 1), &z(low, j), x, igh - low + 1);
    }
}

// Row where the next step starts: the last m in l + 1 .. en - 1 whose
// subdiagonal entry is negligible for the step, else l.
int start_row(MatrixView h, int l, int en) {
    for (int m = en - 1; m >= l + 1; --m) {
        const float test = EPS * modulus(h(m, m)) / modulus(h(m + 1, m)) *
                           (modulus(h(m - 1, m - 1)) + modulus(h(m, m)) +
                            modulus(h(m + 1, m + 1)));
        if (modulus(h(m, m - 1)) <= test) return m;
    }
    return l;
}

// Eigenvectors of the triangular matrix left by the iteration, then of the
// balanced matrix.
void compute_vectors(MatrixView h, MatrixView z, const ComplexF* w, int n, int low, int igh) {
    float norm = 0.0f;
    for (int i = 1; i <= n; ++i) {
        for (int j = i; j <= n; ++j) norm += modulus(h(i, j));
    }
    if (n == 1 || norm == 0.0f) return;

    for (int en = n; en >= 2; --en) {
        const ComplexF lambda = w[en - 1];
        for (int i = en - 1; i >= 1; --i) {
            ComplexF sum = h(i, en);
            for (int j = i + 1; j <= en - 1; ++j) sum += h(i, j) * h(j, en);
            ComplexF divisor = lambda - w[i - 1];
            if (is_zero(divisor)) divisor = ComplexF(EPS * norm, 0.0f);
            h(i, en) = sum / divisor;
        }
    }
    // Each vector of the triangular matrix has 1 in its own row.
    for (int j = 1; j <= n; ++j) h(j, j) = ComplexF(1.0f, 0.0f);
    for (int i = 1; i <= n - 1; ++i) {
        if (i >= low && i <= igh) continue;
        for (int j = i + 1; j <= n; ++j) z(i, j) = h(i, j);
    }
    // Column j of z times h, accumulated over k for all rows at once (each
    // row's sum still runs from k = low upward).
    const int rows = igh - low + 1;
    ComplexF sum[EIGEN_MAX_ORDER];
    for (int j = n; j >= low + 1; --j) {
        const int last = std::min(j, igh);
        std::fill(sum, sum + rows, ComplexF(0.0f, 0.0f));
        for (int k = low; k <= last; ++k) add_scaled(sum, &z(low, k), h(k, j), rows);
        std::copy(sum, sum + rows, &z(low, j));
    }
}

}  // namespace

void lr_iteration(ComplexF* h_data, int n, int ldh, int low0, int igh0, const int* exchanges,
                  ComplexF* w, ComplexF* z_data, int ldz, int* marks, int& error) {
    MatrixView h(h_data, ldh);
    MatrixView z(z_data, ldz);
    const int low = low0 + 1;  // 1-based bounds of the active block
    const int igh = igh0 + 1;
    error = 0;
    if (n <= 0) return;

    accumulate_reduction(h, z, n, low, igh, exchanges);
    for (int i = 1; i <= n; ++i) {
        if (i < low || i > igh) w[i - 1] = h(i, i);
    }

    ComplexF t(0.0f, 0.0f);
    int en = igh;
    int its = 0;
    while (en >= low) {
        int l = low;
        for (int k = en; k >= low + 1; --k) {
            const float test = EPS * (modulus(h(k - 1, k - 1)) + modulus(h(k, k)));
            if (modulus(h(k, k - 1)) <= test) {
                l = k;
                break;
            }
        }
        if (l == en) {
            h(en, en) += t;
            w[en - 1] = h(en, en);
            --en;
            its = 0;
            continue;
        }
        if (its == EIGEN_MAX_ITERATIONS) {
            error = en;
            return;
        }
        const ComplexF s = choose_shift(h, en, its);
        for (int i = low; i <= en; ++i) h(i, i) -= s;
        t += s;
        ++its;
        lr_step(h, z, n, low, igh, start_row(h, l, en), en, marks);
    }
    compute_vectors(h, z, w, n, low, igh);
}
