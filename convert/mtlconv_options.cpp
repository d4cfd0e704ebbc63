#include "mtlconv_options.h"

#include <string>

#include "free_format_number.h"

namespace convert {

namespace {

constexpr const char* SUMMARY =
    "Converts a Touchstone file (versions 1 and 2.0; S, Y or Z; RI, MA or DB)\n"
    "into a parameter file that mtlplot loads with PltSav (.spm, .ypm, .zpm),\n"
    "or a parameter file (SPAR.DAT, YPAR.DAT, ZPAR.DAT or a kept copy) into a\n"
    "Touchstone file (.sNp). The direction follows from the names.";

constexpr const char* EPILOGUE =
    "A parameter file holds at most 9 ports and 10000 frequencies for the plotter,\n"
    "and the lower triangle of each matrix only: a matrix that is not reciprocal\n"
    "is refused unless --lower is given. Noise data is left out with a note.\n"
    "The output file is written whole or not at all.\n"
    "\n"
    "Exit status:\n"
    "  0  converted\n"
    "  1  refused or failed: one line on standard error says why\n"
    "  2  wrong command line";

}  // namespace

cli::ParseOutcome parse_mtlconv_command_line(int argc, const char* const* argv, std::ostream& out, std::ostream& err,
                                             ConversionOptions& options) {
    cli::OptionParser parser("mtlconv", "INPUT OUTPUT", SUMMARY);
    parser.add_flag("lower", "keep the lower triangle of a matrix that is not reciprocal", options.lower);
    parser.add({"z0", 0, cli::Value::REQUIRED, "OHMS[,OHMS]...",
                "port impedances of the Touchstone file written (default 50)"},
               [&](std::optional<std::string_view> value) {
                   options.z0.clear();
                   std::string_view rest = *value;
                   for (;;) {
                       const std::size_t comma = rest.find(',');
                       const std::string_view field = rest.substr(0, comma);
                       double r = 0;
                       if (!portfiles::parse_real(field, r) || r <= 0)
                           return "expected impedances in ohms above 0, found '" + std::string(field) + "'";
                       options.z0.push_back(r);
                       if (comma == std::string_view::npos) return std::string();
                       rest = rest.substr(comma + 1);
                   }
               });
    parser.add({"kind", 0, cli::Value::REQUIRED, "s|y|z", "the kind of a parameter file whose name does not say"},
               [&](std::optional<std::string_view> value) {
                   if (*value != "s" && *value != "y" && *value != "z") return "expected s, y or z, found '" + std::string(*value) + "'";
                   options.kind = (*value)[0];
                   return std::string();
               });
    int operands = 0;
    parser.on_operand([&](std::string_view operand) {
        if (++operands > 2) return "unexpected argument '" + std::string(operand) + "'";
        (operands == 1 ? options.input : options.output) = std::string(operand);
        return std::string();
    });
    parser.set_epilogue(EPILOGUE);
    cli::ParseOutcome outcome = parser.parse(argc, argv, out, err);
    if (outcome.run && operands < 2) {
        err << "mtlconv: expected INPUT and OUTPUT\n" << parser.usage_line() << '\n';
        return {false, cli::EXIT_USAGE};
    }
    return outcome;
}

}  // namespace convert
