// The solver's driver: one complete run on the files of a directory.
#pragma once

#include <filesystem>
#include <ostream>

#include "mtlnet_options.h"

namespace solver {

// Runs the solver on the input files in options.directory, writing VDANOUT.DAT (and,
// once the sweep runs, the parameter files) there. One line per failure goes
// to `diagnostics`. Returns the exit status: 0 when the run reached its end
// without failure, 1 when it ended with " EXECUTION TERMINATED" or the run
// report could not be created or written.
int run_mtlnet(const MtlnetOptions& options, std::ostream& diagnostics);

// The same with the options of a plain run in `directory`.
int run_mtlnet(const std::filesystem::path& directory, std::ostream& diagnostics);

}  // namespace solver
