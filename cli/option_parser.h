// The command-line options of the programs: long options (--name, with a
// value as --name VALUE or --name=VALUE), one-letter options (-C DIR or
// -CDIR), operands, and the --help and --version every program answers.
//
// Options are handled in the order they are given, so an option may apply
// to the ones after it. A program adds its options with their handlers; a
// handler sees the value (none for an option without one, or for an
// optional value left out) and returns an empty string if it takes it, or
// why not.
//
// An optional value (Option::OPTIONAL) is taken from --name=VALUE or from
// the next argument, unless that begins with '-'.
#pragma once

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace cli {

enum class Value { NONE, REQUIRED, OPTIONAL };

struct Option {
    std::string long_name;  // without the dashes; may be empty if short_name is set
    char short_name = 0;    // 0 for none
    Value value = Value::NONE;
    std::string value_name;  // FILE, N, DIR: for the usage line and the help
    std::string help;        // one line
};

using OptionHandler = std::function<std::string(std::optional<std::string_view> value)>;
using OperandHandler = std::function<std::string(std::string_view operand)>;

// Exit statuses of a command line that does not run the program.
constexpr int EXIT_HELP = 0;
constexpr int EXIT_USAGE = 2;

struct ParseOutcome {
    bool run = false;     // go on with the program
    int exit_status = 0;  // otherwise: leave with this status
};

class OptionParser {
public:
    // operands: the usage line's part after the options ("" or e.g.
    // "INPUT OUTPUT"); summary: the first line of the help.
    OptionParser(std::string program, std::string operands, std::string summary);

    void add(Option option, OptionHandler handler);
    // An option without a value that sets a flag.
    void add_flag(std::string long_name, std::string help, bool& flag);
    // Without an operand handler every operand is refused.
    void on_operand(OperandHandler handler) { operand_handler_ = std::move(handler); }
    // Text that follows the option list in the help (files, exit statuses).
    void set_epilogue(std::string text) { epilogue_ = std::move(text); }

    // Handles argv[1..argc-1]. --help and --version print to out; a wrong
    // command line gives two lines on err (what is wrong, the usage line)
    // and exit status 2.
    ParseOutcome parse(int argc, const char* const* argv, std::ostream& out, std::ostream& err) const;

    std::string usage_line() const;
    std::string help_text() const;
    const std::string& program() const { return program_; }

private:
    struct Entry {
        Option option;
        OptionHandler handler;
    };
    const Entry* find_long(std::string_view name) const;
    const Entry* find_short(char name) const;
    static std::string option_label(const Option& option);

    std::string program_;
    std::string operands_;
    std::string summary_;
    std::string epilogue_;
    std::vector<Entry> entries_;
    OperandHandler operand_handler_;
};

// The version of the programs, as the build knows it.
const char* version();

}  // namespace cli
