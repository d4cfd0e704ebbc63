#include "double_solve.h"

#include "wider_vectors.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr int LD = DOUBLE_SOLVE_MAX_ORDER;

// LU factors of A in place, column by column (L below the diagonal with a
// unit diagonal, U on and above it); rows exchanged whole.
MTL_WIDER_VECTORS bool factorise(DoubleSolveWork& w, int n) {
    double* re = w.re;
    double* im = w.im;
    for (int k = 0; k < n; ++k) {
        int p = k;
        double largest = 0.0;
        for (int i = k; i < n; ++i) {
            const double size = std::abs(re[i + k * LD]) + std::abs(im[i + k * LD]);
            if (size > largest) largest = size, p = i;
        }
        if (!(largest > 0.0) || !std::isfinite(largest)) return false;
        w.order[k] = p;
        if (p != k)
            for (int j = 0; j < n; ++j) {
                std::swap(re[k + j * LD], re[p + j * LD]);
                std::swap(im[k + j * LD], im[p + j * LD]);
            }
        const double pr = re[k + k * LD], pi = im[k + k * LD];
        const double size = pr * pr + pi * pi;
        const double qr = pr / size, qi = -pi / size;  // 1 / pivot
        w.pivot_re[k] = qr;
        w.pivot_im[k] = qi;
        double* lr = re + k * LD;
        double* li = im + k * LD;
        for (int i = k + 1; i < n; ++i) {
            const double a = lr[i], b = li[i];
            lr[i] = a * qr - b * qi;
            li[i] = a * qi + b * qr;
        }
        // The multipliers copied apart, where the updates cannot touch them:
        // the update loops then vectorise without overlap checks.
        double mr[LD], mi[LD];
        for (int i = k + 1; i < n; ++i) mr[i] = lr[i], mi[i] = li[i];
        for (int j = k + 1; j < n; ++j) {
            const double ur = re[k + j * LD], ui = im[k + j * LD];
            double* cr = re + j * LD;
            double* ci = im + j * LD;
            for (int i = k + 1; i < n; ++i) {
                cr[i] -= mr[i] * ur - mi[i] * ui;
                ci[i] -= mr[i] * ui + mi[i] * ur;
            }
        }
    }
    return true;
}

// Row i of B loses the factor (i, k) times the row y (held apart from B).
inline void subtract_row(DoubleSolveWork& w, int i, int k, const double* yr, const double* yi, int count) {
    const double fr = w.re[i + k * LD], fi = w.im[i + k * LD];
    double* rr = w.xr + i * LD;
    double* ri = w.xi + i * LD;
    for (int j = 0; j < count; ++j) {
        rr[j] -= fr * yr[j] - fi * yi[j];
        ri[j] -= fr * yi[j] + fi * yr[j];
    }
}

// The substitutions for all columns of B at once, B held row by row so
// that every inner loop runs along a row of B.
MTL_WIDER_VECTORS void substitute(DoubleSolveWork& w, int n, int count) {
    double* xr = w.xr;
    double* xi = w.xi;
    for (int k = 0; k < n; ++k) {
        const int p = w.order[k];
        if (p != k)
            for (int j = 0; j < count; ++j) {
                std::swap(xr[k * LD + j], xr[p * LD + j]);
                std::swap(xi[k * LD + j], xi[p * LD + j]);
            }
    }
    double yr[LD], yi[LD];  // row k apart, as for the factorisation
    for (int k = 0; k < n; ++k) {
        std::copy(xr + k * LD, xr + k * LD + count, yr);
        std::copy(xi + k * LD, xi + k * LD + count, yi);
        for (int i = k + 1; i < n; ++i) subtract_row(w, i, k, yr, yi, count);
    }
    for (int k = n - 1; k >= 0; --k) {
        const double qr = w.pivot_re[k], qi = w.pivot_im[k];
        for (int j = 0; j < count; ++j) {
            const double a = xr[k * LD + j], b = xi[k * LD + j];
            yr[j] = xr[k * LD + j] = a * qr - b * qi;
            yi[j] = xi[k * LD + j] = a * qi + b * qr;
        }
        for (int i = 0; i < k; ++i) subtract_row(w, i, k, yr, yi, count);
    }
}

}  // namespace

bool solve_in_double(const ComplexF* a, int n, int lda, ComplexD* b, int count, int ldb, DoubleSolveWork& work) {
    if (n <= 0 || n > LD || count < 0 || count > LD) return false;
    for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i) {
            const ComplexF e = a[i + static_cast<long>(j) * lda];
            work.re[i + j * LD] = e.real();
            work.im[i + j * LD] = e.imag();
        }
    if (!factorise(work, n)) return false;
    for (int j = 0; j < count; ++j)
        for (int i = 0; i < n; ++i) {
            const ComplexD e = b[i + static_cast<long>(j) * ldb];
            work.xr[i * LD + j] = e.real();
            work.xi[i * LD + j] = e.imag();
        }
    substitute(work, n, count);
    for (int j = 0; j < count; ++j)
        for (int i = 0; i < n; ++i) b[i + static_cast<long>(j) * ldb] = ComplexD(work.xr[i * LD + j], work.xi[i * LD + j]);
    return true;
}
