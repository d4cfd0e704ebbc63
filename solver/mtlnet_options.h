// What the command line of mtlnet chose for one run. Without options the
// run is the plain one: the files of the current directory, the progress
// line on a terminal.
#pragma once

#include <filesystem>
#include <optional>
#include <ostream>

#include "option_parser.h"
#include "solver_tables.h"
#include "sweep_options.h"

namespace solver {

struct MtlnetOptions {
    std::filesystem::path directory = ".";  // -C DIR
    bool quiet = false;                     // --quiet: no progress line
    std::optional<FrequencySweep> sweep;    // --sweep: replaces FRQINP.DAT
    SweepOptions execution;                 // --threads N, --dense
};

// Reads the command line into options. --help and --version print to out;
// a wrong command line gives its reason and the usage line on err. Nothing
// is read or written in any directory.
cli::ParseOutcome parse_mtlnet_command_line(int argc, const char* const* argv, std::ostream& out,
                                            std::ostream& err, MtlnetOptions& options);

}  // namespace solver
