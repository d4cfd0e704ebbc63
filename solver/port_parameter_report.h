// The S, Z and Y sections of the run report.
#pragma once

#include <complex>

#include "run_report.h"

namespace solver {

// " MATRIX OF S PARAMETERS" and its rows in the layout of s_report_mode:
// 2 complex values with magnitude in dB, 3 complex values only, 4 magnitude
// in dB with phase in degrees, any other value the title alone. Mode 1
// (no section) is the caller's decision. db and degrees hold the levels
// the mode shows at the positions of s (see compute_s_levels).
void write_s_section(RunReport& report, int s_report_mode, const std::complex<double>* s, const double* db,
                     const double* degrees, int port_count, int leading_dimension);

// A titled matrix in the complex-list layout (Z and Y sections).
void write_matrix_section(RunReport& report, const char* title, const std::complex<double>* m,
                          int port_count, int leading_dimension);

}  // namespace solver
