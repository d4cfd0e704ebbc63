#include "network_parameter_writer.h"

#include "fixed_fields.h"

namespace portfiles {

void append_block(std::ostream& file, float frequency, const std::complex<double>* m, int port_count,
                  int leading_dimension) {
    // Written field by field: nothing is allocated per block.
    char line[48];
    auto put = [&](double value, int at) { fields::write_ew_wide_exponent(line + at, value, 15, 7); };
    line[0] = ' ';
    put(frequency, 1);
    line[16] = '\n';
    line[17] = '\n';
    file.write(line, 18);
    for (int q = 0; q < port_count; ++q) {
        for (int p = 0; p <= q; ++p) {
            const std::complex<double>& v = m[q + p * leading_dimension];
            put(v.real(), 1);
            put(v.imag(), 16);
            line[31] = '\n';
            file.write(line, 32);
        }
    }
    file.put('\n');
}

void write_parameter_blocks(std::ostream& file, const PortSweep& sweep) {
    for (std::size_t k = 0; k < sweep.points(); ++k)
        append_block(file, static_cast<float>(sweep.frequencies[k]), sweep.matrix(k), sweep.port_count,
                     sweep.port_count);
}

}  // namespace portfiles
