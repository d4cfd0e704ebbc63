#include "s_levels.h"

#include <cmath>

namespace solver {

namespace {

constexpr double DEGREES_PER_RADIAN = 57.29577951308232;

double db_of_modulus(double m) { return m == 0 ? -400.0 : 20.0 * std::log10(m); }

double degrees_of(std::complex<double> v, double modulus) {
    return modulus == 0 ? 0.0 : std::atan2(v.imag(), v.real()) * DEGREES_PER_RADIAN;
}

}  // namespace

void compute_s_levels(int mode, const std::complex<double>* s, int n, int ld, double* db, double* degrees) {
    if (mode != 2 && mode != 4) return;
    for (int p = 0; p < n; ++p) {
        for (int q = 0; q < n; ++q) {
            const int at = q + p * ld;
            const double modulus = std::abs(s[at]);
            db[at] = db_of_modulus(modulus);
            if (mode == 4) degrees[at] = degrees_of(s[at], modulus);
        }
    }
}

}  // namespace solver
