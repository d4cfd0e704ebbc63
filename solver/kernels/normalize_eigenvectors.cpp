#include <cmath>

#include "complex_vector_ops.h"
#include "eigen_decomposition.h"

void normalize_eigenvectors(ComplexF* z, int n, int ldz, int& error) {
    using kernels_detail::squared_modulus;
    for (int j = 0; j < n; ++j) {
        ComplexF* column = z + static_cast<long>(j) * ldz;
        // Squares summed in double: the sum neither overflows nor underflows.
        double largest_square = 0.0;
        int largest = 0;
        double sum = 0.0;
        for (int i = 0; i < n; ++i) {
            const double s = squared_modulus(column[i]);
            sum += s;
            if (s > largest_square) {
                largest_square = s;
                largest = i;
            }
        }
        if (!(largest_square > 0.0) || !std::isfinite(sum)) {
            error = j + 1;
            return;
        }
        // |z_max| / (sqrt(sum) z_max) = conj(z_max) / (|z_max| sqrt(sum)),
        // applied in double so that tiny or huge columns stay finite.
        const double re = column[largest].real();
        const double im = column[largest].imag();
        const double denominator = std::sqrt(largest_square) * std::sqrt(sum);
        const std::complex<double> factor(re / denominator, -im / denominator);
        for (int i = 0; i < n; ++i) {
            const std::complex<double> v =
                std::complex<double>(column[i].real(), column[i].imag()) * factor;
            column[i] = ComplexF(static_cast<float>(v.real()), static_cast<float>(v.imag()));
        }
        // The largest component is now real and positive up to rounding; make
        // it exactly so.
        column[largest] = ComplexF(std::abs(column[largest]), 0.0f);
    }
}
