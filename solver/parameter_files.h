// SPAR.DAT, ZPAR.DAT and YPAR.DAT: one block per completed frequency.
//
// A block is the frequency line (a blank and the frequency in E15.7), an
// empty line, the lower triangle of the port matrix row by row (one entry
// per line: a blank, the real and the imaginary part in E15.7), and an empty
// line. A value whose decimal exponent needs three digits keeps its 15
// columns with one decimal less (1.000000E-100).
#pragma once

#include <complex>
#include <filesystem>
#include <fstream>
#include <string>

namespace solver {

// Appends one block for the P x P matrix m (column-major, leading
// dimension ld): m(q, p) is the response at port q to excitation at port p.
void append_block(std::ostream& file, float frequency, const std::complex<double>* m, int port_count,
                  int leading_dimension);

// The three files, created (or replaced) together when the sweep starts.
class ParameterFiles {
public:
    // False (with the name of the failing file in failed_name) when a file
    // cannot be created.
    bool create(const std::filesystem::path& directory, std::string& failed_name);
    std::ofstream spar, zpar, ypar;
};

}  // namespace solver
