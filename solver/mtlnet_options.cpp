#include "mtlnet_options.h"

#include <charconv>
#include <string>
#include <system_error>

#include "sweep_option.h"

namespace solver {

namespace {

constexpr const char* SUMMARY =
    "Analyses a network of multiconductor transmission lines and lumped elements\n"
    "over a sweep of frequencies.";

constexpr const char* EPILOGUE =
    "Files (in the working directory, or in DIR with -C):\n"
    "  read:    CONFIG.DAT (run options), FRQINP.DAT (frequency sweep, unless\n"
    "           --sweep gives it), LININP.DAT (transmission lines),\n"
    "           NETINP.DAT (network)\n"
    "  written: VDANOUT.DAT (run report), SPAR.DAT, ZPAR.DAT, YPAR.DAT\n"
    "           (S, Z and Y at every frequency); with --touchstone also\n"
    "           FILE or NETWORK.sNp (Touchstone, N the port count; version 1.1\n"
    "           when all ports have one impedance, 2.0 otherwise)\n"
    "\n"
    "Warnings about suspicious input (units, a decimal comma, an unsymmetric\n"
    "matrix, ...) go to standard error as 'mtlnet: warning: FILE:LINE: ...';\n"
    "they change neither the files written nor the exit status.\n"
    "\n"
    "Sweeps:\n"
    "  --sweep log:1e4:1e8:401  401 points evenly spaced in log10 f from 10 kHz\n"
    "                           to 100 MHz (100 per decade)\n"
    "  --sweep lin:1e6:1e6:99   1 MHz to 100 MHz in steps of 1 MHz, as FRQINP.DAT\n"
    "                           holding 1E6 1E6 99\n"
    "\n"
    "Exit status:\n"
    "  0  the analysis ran to its end\n"
    "  1  the analysis ended with an error (with --strict also a warning): the\n"
    "     run report says why, and standard error names the file and line\n"
    "  2  wrong command line: nothing was read or written";

}  // namespace

cli::ParseOutcome parse_mtlnet_command_line(int argc, const char* const* argv, std::ostream& out,
                                            std::ostream& err, MtlnetOptions& options) {
    cli::OptionParser parser("mtlnet", "", SUMMARY);
    parser.add({"", 'C', cli::Value::REQUIRED, "DIR", "read and write the files in DIR"},
               [&](std::optional<std::string_view> value) {
                   std::error_code error;
                   if (!std::filesystem::is_directory(std::string(*value), error))
                       return "no such directory '" + std::string(*value) + "'";
                   options.directory = std::string(*value);
                   return std::string();
               });
    parser.add_flag("quiet", "show no progress line, no warnings and no summary line", options.quiet);
    parser.add_flag("strict", "stop with exit status 1 where a warning about the input would be shown",
                    options.strict);
    parser.add({"touchstone", 0, cli::Value::OPTIONAL, "FILE",
                "also write S as a Touchstone file (default NETWORK.sNp)"},
               [&](std::optional<std::string_view> value) {
                   options.touchstone = value ? std::string(*value) : std::string();
                   return std::string();
               });
    parser.add({"sweep", 0, cli::Value::REQUIRED, "SWEEP",
                "log:START:STOP:POINTS or lin:START:STEP:STEPS instead of FRQINP.DAT"},
               [&](std::optional<std::string_view> value) {
                   std::string error;
                   options.sweep = parse_sweep_option(*value, error);
                   return options.sweep ? std::string() : error;
               });
    parser.add({"threads", 0, cli::Value::REQUIRED, "N",
                "analyse on N threads (default: one per core; one for quick points)"},
               [&](std::optional<std::string_view> value) {
                   int threads = 0;
                   const std::string text(*value);
                   const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), threads);
                   if (error != std::errc() || end != text.data() + text.size() || threads < 1 || threads > MAX_THREADS)
                       return "expected a number of threads from 1 to " + std::to_string(MAX_THREADS) + ", found '" +
                              text + "'";
                   options.execution.threads = threads;
                   return std::string();
               });
    parser.add({"dense", 0, cli::Value::NONE, "", "solve the nodal equations densely (the reference)"},
               [&](std::optional<std::string_view>) {
                   options.execution.storage = NodalStorage::DENSE;
                   return std::string();
               });
    parser.set_epilogue(EPILOGUE);
    return parser.parse(argc, argv, out, err);
}

}  // namespace solver
