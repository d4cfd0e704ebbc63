#include <algorithm>
#include <utility>

#include "eigen_decomposition.h"
#include "wider_vectors.h"

namespace {

constexpr int LD = REFINE_MAX_ORDER;

// x[from .. to) -= f a[from .. to) (subtract) or += (add), real and
// imaginary parts apart; the four arrays never overlap.
template <bool SUBTRACT>
inline void update(double* __restrict xr, double* __restrict xi, const double* __restrict ar,
                   const double* __restrict ai, double fr, double fi, int from, int to) {
    for (int i = from; i < to; ++i) {
        const double pr = ar[i] * fr - ai[i] * fi;
        const double pi = ar[i] * fi + ai[i] * fr;
        if (SUBTRACT) xr[i] -= pr, xi[i] -= pi;
        else xr[i] += pr, xi[i] += pi;
    }
}

// x[0 .. to) += f[0] a[0 .. to) + f[1] a[LD .. LD + to): two columns a pass,
// so that x is loaded and stored half as often.
inline void add_two(double* __restrict xr, double* __restrict xi, const double* __restrict ar,
                    const double* __restrict ai, const double* fr, const double* fi, int to) {
    const double f0r = fr[0], f0i = fi[0], f1r = fr[1], f1i = fi[1];
    const double* __restrict br = ar + LD;
    const double* __restrict bi = ai + LD;
    for (int i = 0; i < to; ++i) {
        xr[i] += (ar[i] * f0r - ai[i] * f0i) + (br[i] * f1r - bi[i] * f1i);
        xi[i] += (ar[i] * f0i + ai[i] * f0r) + (br[i] * f1i + bi[i] * f1r);
    }
}

}  // namespace

MTL_WIDER_VECTORS void reduce_in_double(const BalancedForm& form, int n, DoubleHessenberg& h) {
    h.balancing = form;
    double* re = h.re;
    double* im = h.im;
    for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i) {
            const ComplexF b = form.b[i + static_cast<long>(j) * form.ldb];
            re[i + j * LD] = b.real();
            im[i + j * LD] = b.imag();
        }
    const int low = form.low, igh = form.igh;
    for (int m = 0; m < n; ++m) h.exchanges[m] = m;
    for (int m = low + 1; m <= igh - 1; ++m) {
        // Pivot: the entry of largest modulus in column m - 1, rows m .. igh.
        int pivot = m;
        double largest = 0.0;
        for (int i = m; i <= igh; ++i) {
            const double s = re[i + (m - 1) * LD] * re[i + (m - 1) * LD] + im[i + (m - 1) * LD] * im[i + (m - 1) * LD];
            if (s > largest) largest = s, pivot = i;
        }
        h.exchanges[m] = pivot;
        if (pivot != m) {
            for (int j = m - 1; j < n; ++j) {
                std::swap(re[pivot + j * LD], re[m + j * LD]);
                std::swap(im[pivot + j * LD], im[m + j * LD]);
            }
            std::swap_ranges(re + pivot * LD, re + pivot * LD + igh + 1, re + m * LD);
            std::swap_ranges(im + pivot * LD, im + pivot * LD + igh + 1, im + m * LD);
        }
        if (!(largest > 0.0)) continue;
        // Multipliers y_i = a(i, m-1) / a(m, m-1), kept where the column's
        // zeros go, and a copy for the updates (which then vectorise, the
        // columns they change being apart from it).
        double* yr = re + (m - 1) * LD;
        double* yi = im + (m - 1) * LD;
        const double xr = yr[m] / largest, xi = -yi[m] / largest;  // 1 / a(m, m-1)
        double fr[LD], fi[LD];
        for (int i = m + 1; i <= igh; ++i) {
            fr[i] = yr[i] * xr - yi[i] * xi;
            fi[i] = yr[i] * xi + yi[i] * xr;
            yr[i] = fr[i], yi[i] = fi[i];
        }
        // Rows m+1 .. igh lose y_i times row m, then column m gains the
        // columns m+1 .. igh times their y_i: the similarity with the
        // eliminations, which commute with one another.
        for (int j = m; j < n; ++j)
            update<true>(re + j * LD, im + j * LD, fr, fi, re[m + j * LD], im[m + j * LD], m + 1, igh + 1);
        int j = m + 1;
        for (; j + 1 <= igh; j += 2)
            add_two(re + m * LD, im + m * LD, re + j * LD, im + j * LD, fr + j, fi + j, igh + 1);
        if (j <= igh) update<false>(re + m * LD, im + m * LD, re + j * LD, im + j * LD, fr[j], fi[j], 0, igh + 1);
    }
}
