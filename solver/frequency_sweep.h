// The last stage of the solver: the analysis over the frequency sweep.
#pragma once

#include "solver_run.h"

namespace solver {

// Analyses every point of the sweep, on the workers the command line asked
// for (run.command.execution), and commits
// the results strictly in sweep order: the report, the parameter files and a
// failure (the first failing point stops the sweep; nothing of a later point
// is written) are the same for every number of workers and either storage.
void run_frequency_sweep(SolverRun& run, int& error_flag);

}  // namespace solver
