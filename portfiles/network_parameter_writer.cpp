#include "network_parameter_writer.h"

#include "common_fields.h"

namespace portfiles {

namespace {

constexpr int ENTRY_LINE = 32;

// Room for the whole block of 9 ports (45 entries); larger matrices go out
// in several writes.
constexpr int BLOCK_BYTES = BLOCK_HEAD_BYTES + 45 * ENTRY_LINE + 1;

// One entry line: a blank, the real and the imaginary part.
[[gnu::always_inline]] inline char* put_entry_line(char* out, const std::complex<double>& v) {
    *out++ = ' ';
    out = fields::write_e15_7_wide_exponent(out, v.real());
    out = fields::write_e15_7_wide_exponent(out, v.imag());
    *out++ = '\n';
    return out;
}

}  // namespace

char* put_block_head(char* out, float frequency) {
    *out++ = ' ';
    out = fields::write_e15_7_wide_exponent(out, frequency);
    *out++ = '\n';
    *out++ = '\n';
    return out;
}

char* put_block_body(char* out, const std::complex<double>* m, int port_count, int leading_dimension) {
    for (int q = 0; q < port_count; ++q)
        for (int p = 0; p <= q; ++p) out = put_entry_line(out, m[q + p * leading_dimension]);
    *out++ = '\n';
    return out;
}

void append_block(std::ostream& file, float frequency, const std::complex<double>* m,
                  int port_count, int leading_dimension) {
    // Formatted into one buffer and written at once: nothing is allocated
    // per block.
    char block[BLOCK_BYTES];
    char* out = put_block_head(block, frequency);
    for (int q = 0; q < port_count; ++q) {
        for (int p = 0; p <= q; ++p) {
            if (out + ENTRY_LINE + 1 > block + BLOCK_BYTES) {
                file.write(block, out - block);
                out = block;
            }
            out = put_entry_line(out, m[q + p * leading_dimension]);
        }
    }
    *out++ = '\n';
    file.write(block, out - block);
}

void write_parameter_blocks(std::ostream& file, const PortSweep& sweep) {
    for (std::size_t k = 0; k < sweep.points(); ++k)
        append_block(file, static_cast<float>(sweep.frequencies[k]), sweep.matrix(k),
                     sweep.port_count, sweep.port_count);
}

}  // namespace portfiles
