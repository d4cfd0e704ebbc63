#include <cmath>

#include "eigen_decomposition.h"
#include "linear_system.h"

namespace {

// ||A v - w v|| / ||v|| for A in single precision and v in double.
double residual(const ComplexF* a, int n, int lda, ComplexD w, const ComplexD* v) {
    double sum = 0.0;
    double length = 0.0;
    for (int i = 0; i < n; ++i) {
        ComplexD s = -w * v[i];
        for (int j = 0; j < n; ++j) {
            const ComplexF aij = a[i + static_cast<long>(j) * lda];
            s += ComplexD(aij.real(), aij.imag()) * v[j];
        }
        sum += std::norm(s);
        length += std::norm(v[i]);
    }
    return length > 0.0 ? std::sqrt(sum / length) : HUGE_VAL;
}

// v^H A v for v of unit length: the value that makes ||A v - w v|| least.
ComplexD rayleigh_quotient(const ComplexF* a, int n, int lda, const ComplexD* v) {
    ComplexD sum = 0.0;
    for (int i = 0; i < n; ++i) {
        ComplexD s = 0.0;
        for (int j = 0; j < n; ++j) {
            const ComplexF aij = a[i + static_cast<long>(j) * lda];
            s += ComplexD(aij.real(), aij.imag()) * v[j];
        }
        sum += std::conj(v[i]) * s;
    }
    return sum;
}

// Factorises A - w I into work.shifted; false when it is exactly singular
// even after nudging w by a relative amount of the single-precision epsilon.
bool factorise_shifted(const ComplexF* a, int n, int lda, ComplexD w, double norm,
                       EigenWork& work) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        const ComplexD shift = attempt == 0 ? w : w + EIGEN_MACHINE_PRECISION * norm;
        for (int j = 0; j < n; ++j) {
            for (int i = 0; i < n; ++i) {
                const ComplexF aij = a[i + static_cast<long>(j) * lda];
                work.shifted[i + j * EIGEN_MAX_ORDER] =
                    ComplexD(aij.real(), aij.imag()) - (i == j ? shift : 0.0);
            }
            work.solution[j] = 0.0;
        }
        int error = 0;
        solve_linear_system(work.shifted, work.solution, work.vector, n, EIGEN_MAX_ORDER, 0,
                            error, work.order);
        if (error == 0) return true;
    }
    return false;
}

}  // namespace

void refine_eigenvectors(const ComplexF* a, int n, int lda, ComplexF* w, ComplexF* z, int ldz,
                         EigenWork& work) {
    double norm = 0.0;
    for (int j = 0; j < n; ++j) {
        for (int i = 0; i < n; ++i) norm += std::norm(a[i + static_cast<long>(j) * lda]);
    }
    norm = std::sqrt(norm);
    if (!(norm > 0.0) || !std::isfinite(norm)) return;
    const double good_enough = EIGEN_REFINEMENT_THRESHOLD * norm;

    ComplexD best[EIGEN_MAX_ORDER];
    for (int j = 0; j < n; ++j) {
        ComplexF* column = z + static_cast<long>(j) * ldz;
        ComplexD lambda(w[j].real(), w[j].imag());
        for (int i = 0; i < n; ++i) best[i] = ComplexD(column[i].real(), column[i].imag());
        double best_residual = residual(a, n, lda, lambda, best);
        if (best_residual <= good_enough) continue;

        bool improved = false;
        for (int step = 0; step < 3 && best_residual > good_enough; ++step) {
            if (!factorise_shifted(a, n, lda, lambda, norm, work)) break;
            ComplexD* b = work.vector;
            for (int i = 0; i < n; ++i) b[i] = best[i];
            int error = 0;
            solve_linear_system(work.shifted, b, work.solution, n, EIGEN_MAX_ORDER, 1, error,
                                work.order);
            double length = 0.0;
            for (int i = 0; i < n; ++i) length += std::norm(work.solution[i]);
            length = std::sqrt(length);
            if (!(length > 0.0) || !std::isfinite(length)) break;
            for (int i = 0; i < n; ++i) work.solution[i] /= length;
            const ComplexD quotient = rayleigh_quotient(a, n, lda, work.solution);
            const double r = residual(a, n, lda, quotient, work.solution);
            if (!(r < best_residual)) break;
            best_residual = r;
            lambda = quotient;
            for (int i = 0; i < n; ++i) best[i] = work.solution[i];
            improved = true;
        }
        if (!improved) continue;
        w[j] = ComplexF(static_cast<float>(lambda.real()), static_cast<float>(lambda.imag()));
        for (int i = 0; i < n; ++i) {
            column[i] = ComplexF(static_cast<float>(best[i].real()), static_cast<float>(best[i].imag()));
        }
    }
}
