// Everything one run of the solver works on: the working directory, the
// diagnostics stream, the run report (open for the whole run) and the
// run-wide tables. One SolverRun is obtained at start and lives until the
// run ends; the stages communicate only through it and the error flag.
#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "input_warnings.h"
#include "mtlnet_options.h"
#include "run_report.h"
#include "solver_tables.h"

namespace solver {

struct SolverRun {
    SolverRun(std::filesystem::path working_directory, std::ostream& diagnostics_stream,
              MtlnetOptions command_options = {}, std::ostream* warning_stream = nullptr)
        : directory(std::move(working_directory)), diagnostics(diagnostics_stream), command(std::move(command_options)),
          warnings(warning_stream != nullptr ? *warning_stream : diagnostics_stream) {}

    std::filesystem::path directory;  // input files are read and output files written here
    std::ostream& diagnostics;        // one line per failure, for the user (standard error)
    MtlnetOptions command;            // what the command line chose
    InputWarnings warnings;           // suspicious input, one line each, straight to the user
    RunReport report;                 // VDANOUT.DAT

    RunOptions options;
    FrequencySweep sweep;
    LineTable lines;
    Network network;

    // Writes "mtlnet: <text>" as one diagnostics line.
    void diagnose(std::string_view text) { diagnostics << "mtlnet: " << text << '\n'; }

    // An output file that could not be written. The run's one diagnostic
    // line names it with `first` when nothing failed before ("the run
    // report VDANOUT.DAT could not be written: <reason>"), otherwise with
    // `folded` ("the run report could not be written either").
    struct OutputFailure {
        std::string first;
        std::string folded;
    };
    std::vector<OutputFailure> output_failures;
    bool echo_input() const { return options.suppress_input_echo != 1; }
};

}  // namespace solver
