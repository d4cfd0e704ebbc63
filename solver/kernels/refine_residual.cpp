#include <cmath>

#include "refine_steps.h"
#include "wider_vectors.h"

namespace kernels_detail {

namespace {
constexpr int LD = REFINE_MAX_ORDER;
}  // namespace

// The real and imaginary parts are accumulated apart, which vectorises.
MTL_WIDER_VECTORS double residual(const RefineWork& w, int n, const ComplexD* v, ComplexD lambda, ComplexD* r) {
    double re[LD], im[LD];
    for (int i = 0; i < n; ++i) {
        const ComplexD t = -lambda * v[i];
        re[i] = t.real();
        im[i] = t.imag();
    }
    // Two columns of A a pass (each sum still taken in the order of k), so
    // that the partial sums are loaded and stored half as often.
    int k = 0;
    for (; k + 1 < n; k += 2) {
        const double vr = v[k].real(), vi = v[k].imag();
        const double ur = v[k + 1].real(), ui = v[k + 1].imag();
        const double* ar = w.re + k * LD;
        const double* ai = w.im + k * LD;
        const double* br = ar + LD;
        const double* bi = ai + LD;
        for (int i = 0; i < n; ++i) {
            const double r = re[i] + (ar[i] * vr - ai[i] * vi);
            const double m = im[i] + (ar[i] * vi + ai[i] * vr);
            re[i] = r + (br[i] * ur - bi[i] * ui);
            im[i] = m + (br[i] * ui + bi[i] * ur);
        }
    }
    for (; k < n; ++k) {
        const double vr = v[k].real(), vi = v[k].imag();
        const double* ar = w.re + k * LD;
        const double* ai = w.im + k * LD;
        for (int i = 0; i < n; ++i) {
            re[i] += ar[i] * vr - ai[i] * vi;
            im[i] += ar[i] * vi + ai[i] * vr;
        }
    }
    double sum = 0.0;
    for (int i = 0; i < n; ++i) {
        r[i] = ComplexD(re[i], im[i]);
        sum += re[i] * re[i] + im[i] * im[i];
    }
    return std::sqrt(sum);
}

}  // namespace kernels_detail
