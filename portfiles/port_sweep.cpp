#include "port_sweep.h"

#include <cmath>

namespace portfiles {

std::complex<double>* PortSweep::add_point(double frequency) {
    frequencies.push_back(frequency);
    values.resize(values.size() + matrix_size());
    return matrix(frequencies.size() - 1);
}

Asymmetry largest_asymmetry(const PortSweep& sweep) {
    Asymmetry largest;
    for (std::size_t k = 0; k < sweep.points(); ++k)
        for (int q = 1; q < sweep.port_count; ++q)
            for (int p = 0; p < q; ++p) {
                const double d = std::abs(sweep.at(k, q, p) - sweep.at(k, p, q));
                if (d > largest.difference) largest = {d, k, q, p};
            }
    return largest;
}

}  // namespace portfiles
