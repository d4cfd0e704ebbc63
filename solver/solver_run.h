// Everything one run of the solver works on: the working directory, the
// diagnostics stream, the run report (open for the whole run) and the
// run-wide tables. One SolverRun is obtained at start and lives until the
// run ends; the stages communicate only through it and the error flag.
#pragma once

#include <filesystem>
#include <ostream>
#include <string_view>

#include "input_warnings.h"
#include "mtlnet_options.h"
#include "run_report.h"
#include "solver_tables.h"

namespace solver {

struct SolverRun {
    SolverRun(std::filesystem::path working_directory, std::ostream& diagnostics_stream,
              MtlnetOptions command_options = {})
        : directory(std::move(working_directory)), diagnostics(diagnostics_stream), command(std::move(command_options)) {}

    std::filesystem::path directory;  // input files are read and output files written here
    std::ostream& diagnostics;        // one line per failure, for the user (standard error)
    MtlnetOptions command;            // what the command line chose
    InputWarnings warnings{diagnostics};  // suspicious input, on the diagnostics stream
    RunReport report;                 // VDANOUT.DAT

    RunOptions options;
    FrequencySweep sweep;
    LineTable lines;
    Network network;

    // Writes "mtlnet: <text>" as one diagnostics line.
    void diagnose(std::string_view text) { diagnostics << "mtlnet: " << text << '\n'; }
    bool echo_input() const { return options.suppress_input_echo != 1; }
};

}  // namespace solver
