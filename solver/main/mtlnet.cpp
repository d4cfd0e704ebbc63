// mtlnet: analyses the network described by the input files in the current
// directory (or the one given with -C) and writes the run report and the
// parameter files there.
#include <unistd.h>

#include <iostream>

#include "mtlnet_options.h"
#include "run_mtlnet.h"

int main(int argc, char** argv) {
    solver::MtlnetOptions options;
    const cli::ParseOutcome outcome = solver::parse_mtlnet_command_line(argc, argv, std::cout, std::cerr, options);
    if (!outcome.run) return outcome.exit_status;
    options.terminal = isatty(STDERR_FILENO) == 1;
    return solver::run_mtlnet(options, std::cerr);
}
