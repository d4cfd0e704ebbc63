// A sweep of port matrices: one P x P complex matrix per frequency, as the
// parameter files and Touchstone files carry them.
#pragma once

#include <complex>
#include <cstddef>
#include <vector>

namespace portfiles {

// Which matrix a sweep holds.
enum class ParameterKind { S, Y, Z };

struct PortSweep {
    int port_count = 0;
    std::vector<double> frequencies;  // Hz, one per point
    // Point k's matrix at values[k * P * P], column-major: entry (q, p), the
    // response at port q to excitation at port p (both from 0), at q + p * P.
    std::vector<std::complex<double>> values;

    std::size_t points() const { return frequencies.size(); }
    const std::complex<double>* matrix(std::size_t k) const { return values.data() + k * matrix_size(); }
    std::complex<double>* matrix(std::size_t k) { return values.data() + k * matrix_size(); }
    std::complex<double> at(std::size_t k, int q, int p) const { return matrix(k)[q + p * port_count]; }
    std::complex<double>& at(std::size_t k, int q, int p) { return matrix(k)[q + p * port_count]; }

    // Appends a point with a zero matrix and returns that matrix.
    std::complex<double>* add_point(double frequency);

    std::size_t matrix_size() const {
        return static_cast<std::size_t>(port_count) * static_cast<std::size_t>(port_count);
    }
};

// The largest |M(q, p) - M(p, q)| of the sweep, with where it stands
// (point and ports from 0, q > p). Zero for a reciprocal sweep.
struct Asymmetry {
    double difference = 0;
    std::size_t point = 0;
    int q = 0, p = 0;
};
Asymmetry largest_asymmetry(const PortSweep& sweep);

}  // namespace portfiles
