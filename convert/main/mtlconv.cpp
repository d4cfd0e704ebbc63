// mtlconv: converts between Touchstone files and the plotter's parameter
// files.
#include <iostream>

#include "conversion.h"
#include "mtlconv_options.h"

int main(int argc, char** argv) {
    convert::ConversionOptions options;
    const cli::ParseOutcome outcome = convert::parse_mtlconv_command_line(argc, argv, std::cout, std::cerr, options);
    if (!outcome.run) return outcome.exit_status;
    return convert::run_conversion(options, std::cerr);
}
