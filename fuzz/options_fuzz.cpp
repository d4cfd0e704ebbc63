// mtlnet's command line through the shared option parser. The fuzzer's
// bytes are the arguments, separated by NUL bytes.
//
// Invariants: a command line either runs the program with nothing printed,
// or ends it: --help and --version print on standard output only (status
// 0), a wrong one gives exactly its reason and the usage line on standard
// error (status 2).
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "fuzz_folder.h"
#include "mtlnet_options.h"

using fuzz::require;

namespace {

int count_lines(const std::string& text) {
    int lines = 0;
    for (char c : text) lines += c == '\n';
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> arguments{"mtlnet"};
    std::string current;
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            arguments.push_back(current);
            current.clear();
        } else {
            current.push_back(static_cast<char>(data[i]));
        }
    }
    if (size > 0) arguments.push_back(current);
    std::vector<const char*> argv;
    for (const std::string& a : arguments) argv.push_back(a.c_str());
    argv.push_back(nullptr);

    std::ostringstream out, err;
    solver::MtlnetOptions options;
    const cli::ParseOutcome outcome =
        solver::parse_mtlnet_command_line(static_cast<int>(arguments.size()), argv.data(), out, err, options);
    if (outcome.run) {
        require(out.str().empty() && err.str().empty(), "a run prints nothing while parsing");
    } else if (outcome.exit_status == cli::EXIT_HELP) {
        require(!out.str().empty() && err.str().empty(), "help and version on standard output");
    } else {
        require(outcome.exit_status == cli::EXIT_USAGE, "status 2 for a wrong command line");
        require(out.str().empty() && count_lines(err.str()) == 2, "the reason and the usage line");
        require(err.str().find("\nusage: mtlnet") != std::string::npos, "the usage line names the program");
    }
    return 0;
}
