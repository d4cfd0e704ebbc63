#include "network_parameter_writer.h"

#include "fixed_fields.h"

namespace portfiles {

namespace {

// A frequency line and the empty line after it, an entry line, and the
// closing empty line.
constexpr int FREQUENCY_LINES = 18;
constexpr int ENTRY_LINE = 32;

// Room for the whole block of 9 ports (45 entries); larger matrices go out
// in several writes.
constexpr int BLOCK_BYTES = FREQUENCY_LINES + 45 * ENTRY_LINE + 1;

}  // namespace

void append_block(std::ostream& file, float frequency, const std::complex<double>* m, int port_count,
                  int leading_dimension) {
    // Formatted into one buffer and written at once: nothing is allocated
    // per block.
    char block[BLOCK_BYTES];
    char* out = block;
    *out++ = ' ';
    out = fields::write_ew_wide_exponent(out, frequency, 15, 7);
    *out++ = '\n';
    *out++ = '\n';
    for (int q = 0; q < port_count; ++q) {
        for (int p = 0; p <= q; ++p) {
            if (out + ENTRY_LINE + 1 > block + BLOCK_BYTES) {
                file.write(block, out - block);
                out = block;
            }
            const std::complex<double>& v = m[q + p * leading_dimension];
            *out++ = ' ';
            out = fields::write_ew_wide_exponent(out, v.real(), 15, 7);
            out = fields::write_ew_wide_exponent(out, v.imag(), 15, 7);
            *out++ = '\n';
        }
    }
    *out++ = '\n';
    file.write(block, out - block);
}

void write_parameter_blocks(std::ostream& file, const PortSweep& sweep) {
    for (std::size_t k = 0; k < sweep.points(); ++k)
        append_block(file, static_cast<float>(sweep.frequencies[k]), sweep.matrix(k), sweep.port_count,
                     sweep.port_count);
}

}  // namespace portfiles
