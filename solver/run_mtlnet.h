// The solver's driver: one complete run on the files of a directory.
#pragma once

#include <filesystem>
#include <ostream>

#include "sweep_options.h"

namespace solver {

// Runs the solver on the input files in `directory`, writing VDANOUT.DAT (and,
// once the sweep runs, the parameter files) there. One line per failure goes
// to `diagnostics`. Returns the exit status: 0 when the run reached its end
// without failure, 1 when it ended with " EXECUTION TERMINATED" or the run
// report could not be created or written. `sweep` says how the sweep runs
// (workers, storage of the node matrix); it never changes what is written.
int run_mtlnet(const std::filesystem::path& directory, std::ostream& diagnostics,
               const SweepOptions& sweep = {});

}  // namespace solver
