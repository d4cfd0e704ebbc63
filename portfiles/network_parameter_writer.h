// Writing network parameter files (SPAR.DAT, ZPAR.DAT, YPAR.DAT and their
// kept copies): one block per frequency.
//
// A block is the frequency line (a blank and the frequency in E15.7), an
// empty line, the lower triangle of the port matrix row by row (one entry
// per line: a blank, the real and the imaginary part in E15.7), and an empty
// line. A value whose decimal exponent needs three digits keeps its 15
// columns with one decimal less (1.000000E-100).
#pragma once

#include <complex>
#include <cstddef>
#include <ostream>

#include "port_sweep.h"

namespace portfiles {

// Appends one block for the P x P matrix m (column-major, leading
// dimension ld): m(q, p) is the response at port q to excitation at port p.
void append_block(std::ostream& file, float frequency, const std::complex<double>* m, int port_count,
                  int leading_dimension);

// The text of a block put together at a place a writer chose (its own
// buffer), for writers that write many blocks: the frequency lines of the
// blocks of one frequency are the same text, made once.
//
// The frequency line and the empty line after it: BLOCK_HEAD_BYTES
// characters at out; returns the end.
inline constexpr std::size_t BLOCK_HEAD_BYTES = 18;
char* put_block_head(char* out, float frequency);
// The entry lines of the P x P matrix m (as for append_block) and the
// closing empty line: block_body_bytes(P) characters at out; returns the end.
constexpr std::size_t block_body_bytes(int port_count) {
    return static_cast<std::size_t>(port_count * (port_count + 1) / 2) * 32 + 1;
}
char* put_block_body(char* out, const std::complex<double>* m, int port_count, int leading_dimension);

// Writes every point of the sweep as a block (frequencies rounded to 32
// bits, as the solver keeps them). Only the lower triangle is written.
void write_parameter_blocks(std::ostream& file, const PortSweep& sweep);

}  // namespace portfiles
