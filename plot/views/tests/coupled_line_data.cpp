#include "coupled_line_data.h"

#include <cmath>
#include <complex>

namespace {

using Complex = std::complex<double>;

constexpr double Z0 = 50.0;
constexpr double LENGTH = 0.1;  // m
constexpr double C0 = 299792458.0;

struct Mode {
    double impedance;  // ohm
    double eps_eff;
};
constexpr Mode EVEN{120.0, 3.4};
constexpr Mode ODD{65.0, 2.8};

// Reflection and transmission of one mode's line between Z0 terminations.
void two_port(const Mode& m, double f, Complex& reflection, Complex& transmission) {
    const double alpha = 1.0 * std::sqrt(f / 1e9);  // Np/m, skin-effect-like
    const double beta = 2 * M_PI * f * std::sqrt(m.eps_eff) / C0;
    const Complex gl = Complex(alpha, beta) * LENGTH;
    const double zc = m.impedance;
    const Complex d = 2 * zc * Z0 * std::cosh(gl) + (zc * zc + Z0 * Z0) * std::sinh(gl);
    reflection = (zc * zc - Z0 * Z0) * std::sinh(gl) / d;
    transmission = 2 * zc * Z0 / d;
}

}  // namespace

ElementSweep coupled_line_s(int row, int points, double f_start, double f_stop) {
    ElementSweep sweep;
    for (int k = 0; k < points; ++k) {
        const double f = f_start + (f_stop - f_start) * k / (points - 1);
        Complex ge, te, go, to;
        two_port(EVEN, f, ge, te);
        two_port(ODD, f, go, to);
        Complex s;
        switch (row) {
            case 1: s = (ge + go) / 2.0; break;
            case 2: s = (te + to) / 2.0; break;
            case 3: s = (ge - go) / 2.0; break;
            default: s = (te - to) / 2.0; break;
        }
        sweep.f.push_back(static_cast<float>(f));
        sweep.re.push_back(static_cast<float>(s.real()));
        sweep.im.push_back(static_cast<float>(s.imag()));
    }
    return sweep;
}
