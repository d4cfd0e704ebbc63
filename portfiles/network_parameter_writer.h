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
#include <ostream>

#include "port_sweep.h"

namespace portfiles {

// Appends one block for the P x P matrix m (column-major, leading
// dimension ld): m(q, p) is the response at port q to excitation at port p.
void append_block(std::ostream& file, float frequency, const std::complex<double>* m, int port_count,
                  int leading_dimension);

// Writes every point of the sweep as a block (frequencies rounded to 32
// bits, as the solver keeps them). Only the lower triangle is written.
void write_parameter_blocks(std::ostream& file, const PortSweep& sweep);

}  // namespace portfiles
