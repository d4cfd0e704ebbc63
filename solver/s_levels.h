// The levels of S that the run report shows beside or instead of its
// values: the magnitude in dB and the phase in degrees. The sweep's numerics
// compute them with S, for the report modes that show them.
#pragma once

#include <complex>

namespace solver {

// The levels of the n x n matrix s (column-major, leading dimension ld) that
// report mode s_report_mode shows, at the same positions in db and degrees:
// mode 2 the magnitudes in dB (20 log10 |s|, -400 for zero), mode 4 those
// and the phases in degrees (0 for zero), any other mode none (the tables
// are left as they are).
void compute_s_levels(int s_report_mode, const std::complex<double>* s, int n, int ld, double* db,
                      double* degrees);

}  // namespace solver
