// What the command line of mtlnet chose for one run. Without options the
// run is the plain one: the files of the current directory, the progress
// line on a terminal.
#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

#include "option_parser.h"
#include "solver_tables.h"
#include "sweep_options.h"

namespace solver {

struct MtlnetOptions {
    std::filesystem::path directory = ".";  // -C DIR
    bool quiet = false;                     // --quiet: no progress line, no warnings, no summary line
    bool strict = false;                    // --strict: a warning about the input stops the run
    bool terminal = false;  // standard error is a terminal: a successful run ends with a summary line there
    // --touchstone [FILE]: also write the S-parameters as a Touchstone file
    // (an empty name: NETWORK.sNp, N the port count).
    std::optional<std::string> touchstone;
    std::optional<FrequencySweep> sweep;    // --sweep: replaces FRQINP.DAT
    SweepOptions execution;                 // --threads N, --dense
};

// Reads the command line into options. --help and --version print to out;
// a wrong command line gives its reason and the usage line on err. Nothing
// is read or written in any directory.
cli::ParseOutcome parse_mtlnet_command_line(int argc, const char* const* argv, std::ostream& out,
                                            std::ostream& err, MtlnetOptions& options);

}  // namespace solver
