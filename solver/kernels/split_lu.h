#pragma once

// LU factorisation with partial pivoting and the substitutions for many
// right-hand sides at once, on complex matrices held as real and imaginary
// parts apart, so that the loops vectorise; in single or double precision.
// Internal to the kernels library: the callers build these into their own
// functions (also for wider vectors).

#include <algorithm>
#include <cmath>
#include <complex>
#include <utility>

namespace kernels_detail {

// Factorises the n x n matrix (re, im), column by column with leading
// dimension LD, in place: L below the diagonal (unit diagonal), U on and
// above it, rows exchanged whole; order[k] is the row exchanged with row k
// and pivot_inverse[k] the reciprocal of U(k, k). False on a zero or
// non-finite pivot.
template <int LD, class T>
[[gnu::always_inline]] inline bool factorise_split(T* re, T* im, int n, int* order, std::complex<T>* pivot_inverse) {
    for (int k = 0; k < n; ++k) {
        int p = k;
        T largest = -1;
        for (int i = k; i < n; ++i) {
            const T size = std::abs(re[i + k * LD]) + std::abs(im[i + k * LD]);
            if (size > largest) largest = size, p = i;
        }
        if (!(largest > 0) || !std::isfinite(largest)) return false;
        order[k] = p;
        if (p != k)
            for (int j = 0; j < n; ++j) {
                std::swap(re[k + j * LD], re[p + j * LD]);
                std::swap(im[k + j * LD], im[p + j * LD]);
            }
        const std::complex<T> inverse = T(1) / std::complex<T>(re[k + k * LD], im[k + k * LD]);
        pivot_inverse[k] = inverse;
        T* lr = re + k * LD;
        T* li = im + k * LD;
        for (int i = k + 1; i < n; ++i) {
            const T a = lr[i], b = li[i];
            lr[i] = a * inverse.real() - b * inverse.imag();
            li[i] = a * inverse.imag() + b * inverse.real();
        }
        // The multipliers copied apart, where the updates cannot touch them:
        // the update loops then vectorise without overlap checks.
        T mr[LD], mi[LD];
        for (int i = k + 1; i < n; ++i) mr[i] = lr[i], mi[i] = li[i];
        for (int j = k + 1; j < n; ++j) {
            const T ur = re[k + j * LD], ui = im[k + j * LD];
            T* cr = re + j * LD;
            T* ci = im + j * LD;
            for (int i = k + 1; i < n; ++i) {
                cr[i] -= mr[i] * ur - mi[i] * ui;
                ci[i] -= mr[i] * ui + mi[i] * ur;
            }
        }
    }
    return true;
}

// X := A^-1 X with the factors of factorise_split, for `count` columns of X
// held row by row (row i at xr + i * LD), so that every inner loop runs
// along a row.
template <int LD, class T>
[[gnu::always_inline]] inline void substitute_split_rows(const T* re, const T* im, const int* order,
                                                         const std::complex<T>* pivot_inverse, int n, T* xr, T* xi,
                                                         int count) {
    for (int k = 0; k < n; ++k) {
        const int p = order[k];
        if (p != k)
            for (int c = 0; c < count; ++c) {
                std::swap(xr[k * LD + c], xr[p * LD + c]);
                std::swap(xi[k * LD + c], xi[p * LD + c]);
            }
    }
    // Row k apart, where the updates cannot touch it.
    T yr[LD], yi[LD];
    auto subtract_row = [&](int i, T fr, T fi) {
        T* rr = xr + i * LD;
        T* ri = xi + i * LD;
        for (int c = 0; c < count; ++c) {
            rr[c] -= fr * yr[c] - fi * yi[c];
            ri[c] -= fr * yi[c] + fi * yr[c];
        }
    };
    for (int k = 0; k < n; ++k) {
        std::copy(xr + k * LD, xr + k * LD + count, yr);
        std::copy(xi + k * LD, xi + k * LD + count, yi);
        for (int i = k + 1; i < n; ++i) subtract_row(i, re[i + k * LD], im[i + k * LD]);
    }
    for (int k = n - 1; k >= 0; --k) {
        const T qr = pivot_inverse[k].real(), qi = pivot_inverse[k].imag();
        for (int c = 0; c < count; ++c) {
            const T a = xr[k * LD + c], b = xi[k * LD + c];
            yr[c] = xr[k * LD + c] = a * qr - b * qi;
            yi[c] = xi[k * LD + c] = a * qi + b * qr;
        }
        for (int i = 0; i < k; ++i) subtract_row(i, re[i + k * LD], im[i + k * LD]);
    }
}

}  // namespace kernels_detail
