#pragma once

// Norms and residuals for checking kernel results, always evaluated in double
// precision.

#include <cmath>
#include <complex>
#include <vector>

namespace checks {

template <class Complex>
std::complex<double> widen(Complex z) {
    return {static_cast<double>(z.real()), static_cast<double>(z.imag())};
}

// Column-major matrix of doubles used as the reference for the results.
struct Matrix {
    int rows = 0;
    int columns = 0;
    std::vector<std::complex<double>> data;
    Matrix(int r, int c) : rows(r), columns(c), data(static_cast<size_t>(r) * c) {}
    std::complex<double>& operator()(int i, int j) { return data[i + static_cast<size_t>(j) * rows]; }
    std::complex<double> operator()(int i, int j) const {
        return data[i + static_cast<size_t>(j) * rows];
    }
};

template <class Complex>
Matrix copy_of(const Complex* a, int rows, int columns, int lda) {
    Matrix m(rows, columns);
    for (int j = 0; j < columns; ++j) {
        for (int i = 0; i < rows; ++i) m(i, j) = widen(a[i + static_cast<long>(j) * lda]);
    }
    return m;
}

inline Matrix product(const Matrix& a, const Matrix& b) {
    Matrix c(a.rows, b.columns);
    for (int j = 0; j < b.columns; ++j) {
        for (int l = 0; l < a.columns; ++l) {
            for (int i = 0; i < a.rows; ++i) c(i, j) += a(i, l) * b(l, j);
        }
    }
    return c;
}

inline double frobenius(const Matrix& a) {
    double s = 0.0;
    for (const auto& z : a.data) s += std::norm(z);
    return std::sqrt(s);
}

// Largest row sum of moduli.
inline double infinity_norm(const Matrix& a) {
    double best = 0.0;
    for (int i = 0; i < a.rows; ++i) {
        double s = 0.0;
        for (int j = 0; j < a.columns; ++j) s += std::abs(a(i, j));
        if (s > best) best = s;
    }
    return best;
}

template <class Complex>
double infinity_norm(const Complex* x, int n) {
    double best = 0.0;
    for (int i = 0; i < n; ++i) best = std::max(best, std::abs(widen(x[i])));
    return best;
}

// ||A x - b|| / (||A|| ||x||) in the infinity norm.
template <class Complex>
double solve_residual(const Matrix& a, const Complex* x, const Complex* b) {
    double r = 0.0;
    for (int i = 0; i < a.rows; ++i) {
        std::complex<double> s = -widen(b[i]);
        for (int j = 0; j < a.columns; ++j) s += a(i, j) * widen(x[j]);
        r = std::max(r, std::abs(s));
    }
    return r / (infinity_norm(a) * infinity_norm(x, a.columns));
}

// ||A V - V diag(w)|| / ||A|| in the Frobenius norm.
template <class Complex>
double eigen_residual(const Matrix& a, const Complex* w, const Complex* v, int ldv) {
    const int n = a.rows;
    const Matrix vm = copy_of(v, n, n, ldv);
    Matrix r = product(a, vm);
    for (int j = 0; j < n; ++j) {
        for (int i = 0; i < n; ++i) r(i, j) -= vm(i, j) * widen(w[j]);
    }
    return frobenius(r) / frobenius(a);
}

}  // namespace checks
