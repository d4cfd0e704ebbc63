// Building and checking frequency sweeps: the repairs of the linear sweep
// read from FRQINP.DAT and the logarithmic sweep given on the command line.
#pragma once

#include <cstdint>

#include "solver_tables.h"

namespace solver {

// The linear sweep of the three values start, step and steps after the
// repairs: magnitudes are taken, a zero start becomes the step (or 1 MHz), a
// zero step means a single point, and at most MAX_FREQUENCY_STEPS steps.
FrequencySweep repaired_linear_sweep(float start, float step, std::int64_t steps);

// A logarithmic sweep of `points` frequencies from start to stop; the caller
// has checked 0 < start < stop and 2 <= points <= MAX_FREQUENCY_STEPS + 1.
FrequencySweep logarithmic_sweep(float start, float stop, std::int32_t points);

// Whether the last point's angular frequency (2 pi f) is finite in 32 bits,
// which the analysis needs.
bool angular_frequencies_finite(const FrequencySweep& sweep);

// Points per decade of a logarithmic sweep (steps / decades spanned).
double points_per_decade(const FrequencySweep& sweep);

}  // namespace solver
