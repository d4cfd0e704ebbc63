#pragma once

// Inner loops shared by the kernels. The double-precision loops work on one
// complex number per 16-byte vector (real and imaginary part side by side),
// written with the compiler's generic vector extension so that they compile
// to packed SSE2 code on any x86-64 and to plain code elsewhere. Internal to
// the kernels library.

#include <cmath>
#include <complex>
#include <cstring>

#include "complex_types.h"

namespace kernels_detail {

using Vec2 = double __attribute__((vector_size(16)));
// Two single-precision complex numbers per 16-byte vector.
using Vec4F = float __attribute__((vector_size(16)));

// The vector that 16 bytes of complex numbers of p's type fill (declared
// only, for decltype).
Vec2 vector_of(const ComplexD*);
Vec4F vector_of(const ComplexF*);

// The 16 bytes at p as a vector, and a vector written back there.
template <class Complex>
inline auto load(const Complex* p) {
    decltype(vector_of(p)) v;
    std::memcpy(&v, static_cast<const void*>(p), sizeof v);
    return v;
}

template <class Complex>
inline void store(Complex* p, decltype(vector_of(p)) v) {
    std::memcpy(static_cast<void*>(p), &v, sizeof v);
}

inline Vec2 swap_parts(Vec2 v) { return __builtin_shufflevector(v, v, 1, 0); }

// alpha * x for x held as (re, im): (re a_r - im a_i, im a_r + re a_i).
struct ComplexFactor {
    Vec2 real_part;   // (a_r, a_r)
    Vec2 signed_imag;  // (-a_i, a_i)
    explicit ComplexFactor(ComplexD alpha)
        : real_part{alpha.real(), alpha.real()}, signed_imag{-alpha.imag(), alpha.imag()} {}
    Vec2 times(Vec2 x) const { return x * real_part + swap_parts(x) * signed_imag; }
};

// y[i] -= alpha * x[i] for i < count.
inline void subtract_scaled(ComplexD* y, const ComplexD* x, ComplexD alpha, int count) {
    const ComplexFactor f(alpha);
    for (int i = 0; i < count; ++i) store(y + i, load(y + i) - f.times(load(x + i)));
}

// y[i] += alpha * x[i] for i < count.
inline void add_scaled(ComplexD* y, const ComplexD* x, ComplexD alpha, int count) {
    const ComplexFactor f(alpha);
    for (int i = 0; i < count; ++i) store(y + i, load(y + i) + f.times(load(x + i)));
}

// alpha * x for two complex numbers: each part gets exactly the operations
// of the scalar product (re a_r - im a_i, im a_r + re a_i).
struct ComplexFactorF {
    Vec4F real_part;    // (a_r, a_r, a_r, a_r)
    Vec4F signed_imag;  // (-a_i, a_i, -a_i, a_i)
    explicit ComplexFactorF(ComplexF alpha)
        : real_part{alpha.real(), alpha.real(), alpha.real(), alpha.real()},
          signed_imag{-alpha.imag(), alpha.imag(), -alpha.imag(), alpha.imag()} {}
    Vec4F times(Vec4F x) const { return x * real_part + __builtin_shufflevector(x, x, 1, 0, 3, 2) * signed_imag; }
};

// y[i] += alpha * x[i] for i < count, single precision; the same bits as
// y[i] += alpha * x[i] written out.
inline void add_scaled(ComplexF* y, const ComplexF* x, ComplexF alpha, int count) {
    const ComplexFactorF f(alpha);
    int i = 0;
    for (; i + 2 <= count; i += 2) store(y + i, load(y + i) + f.times(load(x + i)));
    const float ar = alpha.real();
    const float ai = alpha.imag();
    for (; i < count; ++i) {
        const float xr = x[i].real();
        const float xi = x[i].imag();
        y[i] = ComplexF(y[i].real() + (xr * ar - xi * ai), y[i].imag() + (xi * ar + xr * ai));
    }
}

// Squared modulus, computed in double so that it neither overflows nor
// underflows for single-precision values; used to compare moduli.
inline double squared_modulus(ComplexF z) {
    const double re = z.real();
    const double im = z.imag();
    return re * re + im * im;
}

inline double squared_modulus(ComplexD z) { return z.real() * z.real() + z.imag() * z.imag(); }

// |z| with the same bits as std::abs (the C library's hypotf squares the
// parts in double, where that is exact, and rounds the root to float), but
// inline: the eigenvalue steps take moduli in their innermost loops.
// Infinite and NaN parts take the library's path.
inline float modulus(ComplexF z) {
    const double re = z.real();
    const double im = z.imag();
    const double square = re * re + im * im;
    if (!(square <= 1.0e300)) return std::abs(z);
    return static_cast<float>(std::sqrt(square));
}

inline bool is_zero(ComplexF z) { return z.real() == 0.0f && z.imag() == 0.0f; }
inline bool is_zero(ComplexD z) { return z.real() == 0.0 && z.imag() == 0.0; }

}  // namespace kernels_detail

namespace kernels_detail {

// Index of the entry of largest modulus among x[0 .. count-1], scanned upward;
// a later entry replaces the candidate only when its modulus is strictly
// larger. Squared moduli are compared first; when they underflow to 0 or
// overflow, the moduli themselves decide.
template <class Complex>
int largest_modulus_index(const Complex* x, int count) {
    int best = 0;
    double best_square = squared_modulus(x[0]);
    for (int i = 1; i < count; ++i) {
        const double s = squared_modulus(x[i]);
        if (s > best_square) {
            best_square = s;
            best = i;
        }
    }
    if (best_square > 0.0 && best_square < 1.0e300) return best;
    best = 0;
    auto best_modulus = std::abs(x[0]);
    for (int i = 1; i < count; ++i) {
        const auto m = std::abs(x[i]);
        if (m > best_modulus) {
            best_modulus = m;
            best = i;
        }
    }
    return best;
}

// Scales v (n) to unit Euclidean length; false for a zero or non-finite
// vector.
inline bool normalise(ComplexD* v, int n) {
    double sum = 0.0;
    for (int i = 0; i < n; ++i) sum += std::norm(v[i]);
    if (!(sum > 0.0) || !std::isfinite(sum)) return false;
    const double factor = 1.0 / std::sqrt(sum);
    for (int i = 0; i < n; ++i) v[i] *= factor;
    return true;
}

}  // namespace kernels_detail
