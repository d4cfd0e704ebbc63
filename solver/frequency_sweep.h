// The last stage of the solver: the analysis over the frequency sweep.
#pragma once

#include "solver_run.h"

namespace solver {

void run_frequency_sweep(SolverRun& run, int& error_flag);

}  // namespace solver
