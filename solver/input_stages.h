// The input stages of the solver, run in this order while the error flag is
// 0. Each fills its table of the run, writes its echo into the run report
// (unless the input echo is suppressed), and on failure writes its message
// into the report and one diagnostics line, sets the error flag to 1 and
// returns at once.
#pragma once

#include "solver_run.h"

namespace solver {

// CONFIG.DAT -> run.options.
void read_configuration(SolverRun& run, int& error_flag);
// FRQINP.DAT -> run.sweep.
void read_frequency_sweep(SolverRun& run, int& error_flag);
// A sweep given on the command line (checked there) in place of FRQINP.DAT
// -> run.sweep, with its echo.
void use_given_frequency_sweep(SolverRun& run, const FrequencySweep& sweep);
// LININP.DAT -> run.lines, including the line-end node numbering.
void read_transmission_lines(SolverRun& run, int& error_flag);
// NETINP.DAT -> run.network.
void read_network(SolverRun& run, int& error_flag);

}  // namespace solver
