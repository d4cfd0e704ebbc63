#include "double_solve.h"

#include <cmath>
#include <utility>

namespace {

constexpr int LD = DOUBLE_SOLVE_MAX_ORDER;

// LU factors of A in place, column by column (L below the diagonal with a
// unit diagonal, U on and above it); rows exchanged whole.
bool factorise(DoubleSolveWork& w, int n) {
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
        double* lr = re + k * LD;
        double* li = im + k * LD;
        for (int i = k + 1; i < n; ++i) {
            const double a = lr[i], b = li[i];
            lr[i] = a * qr - b * qi;
            li[i] = a * qi + b * qr;
        }
        for (int j = k + 1; j < n; ++j) {
            const double ur = re[k + j * LD], ui = im[k + j * LD];
            double* cr = re + j * LD;
            double* ci = im + j * LD;
            for (int i = k + 1; i < n; ++i) {
                cr[i] -= lr[i] * ur - li[i] * ui;
                ci[i] -= lr[i] * ui + li[i] * ur;
            }
        }
    }
    return true;
}

void substitute(DoubleSolveWork& w, int n, ComplexD* x) {
    double* br = w.br;
    double* bi = w.bi;
    for (int i = 0; i < n; ++i) br[i] = x[i].real(), bi[i] = x[i].imag();
    for (int k = 0; k < n; ++k) {
        const int p = w.order[k];
        if (p != k) std::swap(br[k], br[p]), std::swap(bi[k], bi[p]);
    }
    for (int k = 0; k < n; ++k) {
        const double yr = br[k], yi = bi[k];
        const double* lr = w.re + k * LD;
        const double* li = w.im + k * LD;
        for (int i = k + 1; i < n; ++i) {
            br[i] -= lr[i] * yr - li[i] * yi;
            bi[i] -= lr[i] * yi + li[i] * yr;
        }
    }
    for (int k = n - 1; k >= 0; --k) {
        const double pr = w.re[k + k * LD], pi = w.im[k + k * LD];
        const double size = pr * pr + pi * pi;
        const double yr = (br[k] * pr + bi[k] * pi) / size;
        const double yi = (bi[k] * pr - br[k] * pi) / size;
        br[k] = yr;
        bi[k] = yi;
        const double* ur = w.re + k * LD;
        const double* ui = w.im + k * LD;
        for (int i = 0; i < k; ++i) {
            br[i] -= ur[i] * yr - ui[i] * yi;
            bi[i] -= ur[i] * yi + ui[i] * yr;
        }
    }
    for (int i = 0; i < n; ++i) x[i] = ComplexD(br[i], bi[i]);
}

}  // namespace

bool solve_in_double(const ComplexF* a, int n, int lda, ComplexD* b, int count, int ldb, DoubleSolveWork& work) {
    if (n <= 0 || n > LD) return false;
    for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i) {
            const ComplexF e = a[i + static_cast<long>(j) * lda];
            work.re[i + j * LD] = e.real();
            work.im[i + j * LD] = e.imag();
        }
    if (!factorise(work, n)) return false;
    for (int j = 0; j < count; ++j) substitute(work, n, b + static_cast<long>(j) * ldb);
    return true;
}
