#include <algorithm>
#include <cmath>
#include <utility>

#include "complex_vector_ops.h"
#include "eigen_decomposition.h"
#include "wider_vectors.h"

namespace {

constexpr int LD = REFINE_MAX_ORDER;

}  // namespace

MTL_WIDER_VECTORS bool hessenberg_eigenvector(const HessenbergForm& form, int n, ComplexD lambda, double norm, ComplexD* v) {
    if (n <= 0 || n > LD) return false;
    // H - lambda I in double precision, row by row (the eliminations work on
    // rows): the Hessenberg part only, the multipliers of the reduction stand
    // below the subdiagonal.
    double re[LD * LD], im[LD * LD];
    for (int j = 0; j < n; ++j)
        for (int i = 0; i <= std::min(j + 1, n - 1); ++i) {
            const ComplexF h = form.h[i + static_cast<long>(j) * form.ldh];
            re[j + i * LD] = h.real();
            im[j + i * LD] = h.imag();
        }
    for (int i = 0; i < n; ++i) re[i + i * LD] -= lambda.real(), im[i + i * LD] -= lambda.imag();
    // LU with partial pivoting between neighbouring rows; a zero pivot
    // becomes a small one, as inverse iteration wants.
    const double tiny = norm * 1e-14;
    bool swapped[LD];
    ComplexD multiplier[LD], reciprocal[LD];
    for (int k = 0; k < n; ++k) {
        double* pr = re + k * LD;
        double* pi = im + k * LD;
        if (k + 1 < n) {
            double* qr = pr + LD;
            double* qi = pi + LD;
            swapped[k] = std::abs(qr[k]) + std::abs(qi[k]) > std::abs(pr[k]) + std::abs(pi[k]);
            if (swapped[k]) {
                std::swap_ranges(pr + k, pr + n, qr + k);
                std::swap_ranges(pi + k, pi + n, qi + k);
            }
        }
        if (pr[k] == 0.0 && pi[k] == 0.0) pr[k] = tiny;
        reciprocal[k] = 1.0 / ComplexD(pr[k], pi[k]);
        if (k + 1 == n) break;
        double* qr = pr + LD;
        double* qi = pi + LD;
        const ComplexD m = ComplexD(qr[k], qi[k]) * reciprocal[k];
        multiplier[k] = m;
        for (int j = k + 1; j < n; ++j) {
            qr[j] -= m.real() * pr[j] - m.imag() * pi[j];
            qi[j] -= m.real() * pi[j] + m.imag() * pr[j];
        }
    }

    // U column by column, for substitutions that run down the columns.
    double ur_columns[LD * LD], ui_columns[LD * LD];
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j) {
            ur_columns[i + j * LD] = re[j + i * LD];
            ui_columns[i + j * LD] = im[j + i * LD];
        }

    // Two steps from the vector of ones, the first without the lower factor.
    double yr[LD], yi[LD];
    std::fill(yr, yr + n, 1.0);
    std::fill(yi, yi + n, 0.0);
    for (int step = 0; step < 2; ++step) {
        if (step > 0)
            for (int k = 0; k < n - 1; ++k) {
                if (swapped[k]) std::swap(yr[k], yr[k + 1]), std::swap(yi[k], yi[k + 1]);
                const ComplexD m = multiplier[k];
                yr[k + 1] -= m.real() * yr[k] - m.imag() * yi[k];
                yi[k + 1] -= m.real() * yi[k] + m.imag() * yr[k];
            }
        for (int k = n - 1; k >= 0; --k) {
            const ComplexD x = ComplexD(yr[k], yi[k]) * reciprocal[k];
            yr[k] = x.real();
            yi[k] = x.imag();
            const double* ur = ur_columns + k * LD;
            const double* ui = ui_columns + k * LD;
            for (int i = 0; i < k; ++i) {
                yr[i] -= ur[i] * x.real() - ui[i] * x.imag();
                yi[i] -= ur[i] * x.imag() + ui[i] * x.real();
            }
        }
        double largest = 0.0;
        for (int i = 0; i < n; ++i) largest = std::max(largest, std::abs(yr[i]) + std::abs(yi[i]));
        if (!(largest > 0.0) || !std::isfinite(largest)) return false;
        const double factor = 1.0 / largest;
        for (int i = 0; i < n; ++i) yr[i] *= factor, yi[i] *= factor;
    }

    // Back to the balanced matrix through the eliminations and exchanges of
    // the reduction, then through the balancing.
    for (int i = 0; i < n; ++i) v[i] = ComplexD(yr[i], yi[i]);
    for (int m = form.igh - 1; m >= form.low + 1; --m) {
        const ComplexD vm = v[m];
        for (int i = m + 1; i <= form.igh; ++i) v[i] += ComplexD(form.h[i + static_cast<long>(m - 1) * form.ldh]) * vm;
        const int e = form.exchanges[m];
        if (e != m) std::swap(v[e], v[m]);
    }
    for (int i = form.low; i <= form.igh; ++i) v[i] *= static_cast<double>(form.scale[i]);
    for (int step = 0; step < n; ++step) {
        int i = step;
        if (i >= form.low && i <= form.igh) continue;
        if (i < form.low) i = form.low - 1 - step;
        const int k = static_cast<int>(form.scale[i]);
        if (k != i && k >= 0 && k < n) std::swap(v[i], v[k]);
    }
    return kernels_detail::normalise(v, n);
}
