#include "option_parser.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace cli {
namespace {

// A program with the kinds of options the programs have: a flag, a
// one-letter option with a value, a required and an optional value, and
// operands.
struct Program {
    Program() : parser("prog", "[FILE]...", "Does things to files.") {
        parser.add_flag("quiet", "say less", quiet);
        parser.add({"", 'C', Value::REQUIRED, "DIR", "run in DIR"}, [this](auto v) {
            log.push_back("C=" + std::string(*v));
            return std::string();
        });
        parser.add({"threads", 0, Value::REQUIRED, "N", "use N threads"}, [this](auto v) {
            if (*v != "1" && *v != "2") return std::string("expected 1 or 2, found '") + std::string(*v) + "'";
            log.push_back("threads=" + std::string(*v));
            return std::string();
        });
        parser.add({"touchstone", 0, Value::OPTIONAL, "FILE", "also write FILE"}, [this](auto v) {
            log.push_back("touchstone=" + (v ? std::string(*v) : std::string("(default)")));
            return std::string();
        });
        parser.on_operand([this](std::string_view operand) {
            log.push_back("operand " + std::string(operand));
            return std::string();
        });
    }
    ParseOutcome run(std::vector<const char*> args) {
        args.insert(args.begin(), "prog");
        return parser.parse(static_cast<int>(args.size()), args.data(), out, err);
    }
    OptionParser parser;
    bool quiet = false;
    std::vector<std::string> log;
    std::ostringstream out, err;
};

TEST(OptionParser, HandlesOptionsAndOperandsInTheirOrder) {
    Program p;
    const ParseOutcome outcome =
        p.run({"a", "-C", "dir one", "--threads=2", "-Cx", "--quiet", "--touchstone", "out.s2p", "--touchstone",
               "--threads", "1", "--", "--quiet", "-"});
    EXPECT_TRUE(outcome.run);
    EXPECT_TRUE(p.quiet);
    EXPECT_EQ(p.log, (std::vector<std::string>{"operand a", "C=dir one", "threads=2", "C=x", "touchstone=out.s2p",
                                               "touchstone=(default)", "threads=1", "operand --quiet", "operand -"}));
    EXPECT_EQ(p.out.str(), "");
    EXPECT_EQ(p.err.str(), "");
}

TEST(OptionParser, AnOptionalValueIsTakenWithEqualsEvenIfEmptyOrAtTheEnd) {
    Program p;
    EXPECT_TRUE(p.run({"--touchstone=", "--touchstone"}).run);
    EXPECT_EQ(p.log, (std::vector<std::string>{"touchstone=", "touchstone=(default)"}));
}

TEST(OptionParser, HelpAndVersionPrintAndStopWithStatusZero) {
    Program p;
    p.parser.set_epilogue("Exit status: 0 on success.");
    ParseOutcome outcome = p.run({"--quiet", "--help", "--unknown"});
    EXPECT_FALSE(outcome.run);
    EXPECT_EQ(outcome.exit_status, 0);
    EXPECT_EQ(p.err.str(), "");
    const std::string help = p.out.str();
    EXPECT_EQ(help.substr(0, help.find('\n')), p.parser.usage_line());
    for (const char* text : {"Does things to files.", "  --quiet              say less\n",
                             "  -C DIR               run in DIR\n", "  --touchstone [FILE]  also write FILE\n",
                             "  --help               show this help and exit\n", "\nExit status: 0 on success.\n"})
        EXPECT_NE(help.find(text), std::string::npos) << text << "\n" << help;

    Program v;
    outcome = v.run({"--version"});
    EXPECT_FALSE(outcome.run);
    EXPECT_EQ(outcome.exit_status, 0);
    EXPECT_EQ(v.out.str(), std::string("prog ") + version() + "\n");
}

TEST(OptionParser, UsageLineNamesEveryOption) {
    Program p;
    EXPECT_EQ(p.parser.usage_line(),
              "usage: prog [--quiet] [-C DIR] [--threads N] [--touchstone [FILE]] [--help] [--version] [FILE]...");
}

TEST(OptionParser, WrongCommandLinesGiveOneReasonAndTheUsageLineWithStatusTwo) {
    struct Case {
        std::vector<const char*> args;
        const char* reason;
    };
    for (const Case& c : {Case{{"--frobnicate"}, "unknown option '--frobnicate'"},
                          Case{{"--frobnicate=3"}, "unknown option '--frobnicate'"},
                          Case{{"-x"}, "unknown option '-x'"},
                          Case{{"--quiet=yes"}, "option '--quiet' takes no value"},
                          Case{{"--help=me"}, "option '--help' takes no value"},
                          Case{{"--threads"}, "option '--threads' needs a value (N)"},
                          Case{{"-C"}, "option '-C' needs a value (DIR)"},
                          Case{{"--threads", "3"}, "--threads: expected 1 or 2, found '3'"},
                          Case{{"--qui"}, "unknown option '--qui'"}}) {
        Program p;
        const ParseOutcome outcome = p.run(c.args);
        EXPECT_FALSE(outcome.run) << c.reason;
        EXPECT_EQ(outcome.exit_status, 2) << c.reason;
        EXPECT_EQ(p.err.str(), std::string("prog: ") + c.reason + "\n" + p.parser.usage_line() + "\n");
        EXPECT_EQ(p.out.str(), "");
    }
}

TEST(OptionParser, OperandsAreRefusedWithoutAHandler) {
    OptionParser parser("bare", "", "Nothing.");
    std::ostringstream out, err;
    const char* args[] = {"bare", "file"};
    const ParseOutcome outcome = parser.parse(2, args, out, err);
    EXPECT_EQ(outcome.exit_status, 2);
    EXPECT_EQ(err.str(), "bare: unexpected argument 'file'\nusage: bare [--help] [--version]\n");
}

}  // namespace
}  // namespace cli
