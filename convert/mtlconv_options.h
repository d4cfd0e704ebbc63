// The command line of mtlconv.
#pragma once

#include <ostream>

#include "conversion.h"
#include "option_parser.h"

namespace convert {

cli::ParseOutcome parse_mtlconv_command_line(int argc, const char* const* argv, std::ostream& out, std::ostream& err,
                                             ConversionOptions& options);

}  // namespace convert
