#include "option_parser.h"

#include <algorithm>

#ifndef MTL_VERSION
#define MTL_VERSION "unknown"
#endif

namespace cli {

namespace {

// Marks the two options every program has; their handlers are not called.
constexpr const char* HELP = "help";
constexpr const char* VERSION = "version";

}  // namespace

const char* version() { return MTL_VERSION; }

OptionParser::OptionParser(std::string program, std::string operands, std::string summary)
    : program_(std::move(program)), operands_(std::move(operands)), summary_(std::move(summary)) {
    entries_.push_back({{HELP, 0, Value::NONE, "", "show this help and exit"}, nullptr});
    entries_.push_back({{VERSION, 0, Value::NONE, "", "show the version and exit"}, nullptr});
}

void OptionParser::add(Option option, OptionHandler handler) {
    // Before --help and --version, which close the list.
    entries_.insert(entries_.end() - 2, Entry{std::move(option), std::move(handler)});
}

void OptionParser::add_flag(std::string long_name, std::string help, bool& flag) {
    add({std::move(long_name), 0, Value::NONE, "", std::move(help)}, [&flag](std::optional<std::string_view>) {
        flag = true;
        return std::string();
    });
}

const OptionParser::Entry* OptionParser::find_long(std::string_view name) const {
    for (const Entry& e : entries_)
        if (!e.option.long_name.empty() && e.option.long_name == name) return &e;
    return nullptr;
}

const OptionParser::Entry* OptionParser::find_short(char name) const {
    for (const Entry& e : entries_)
        if (e.option.short_name != 0 && e.option.short_name == name) return &e;
    return nullptr;
}

std::string OptionParser::option_label(const Option& option) {
    std::string label = option.long_name.empty() ? std::string("-") + option.short_name : "--" + option.long_name;
    switch (option.value) {
        case Value::NONE: break;
        case Value::REQUIRED: label += " " + option.value_name; break;
        case Value::OPTIONAL: label += " [" + option.value_name + "]"; break;
    }
    return label;
}

std::string OptionParser::usage_line() const {
    std::string line = "usage: " + program_;
    for (const Entry& e : entries_) line += " [" + option_label(e.option) + "]";
    if (!operands_.empty()) line += " " + operands_;
    return line;
}

std::string OptionParser::help_text() const {
    std::string text = usage_line() + "\n\n" + summary_ + "\n\nOptions:\n";
    std::vector<std::string> labels;
    std::size_t width = 0;
    for (const Entry& e : entries_) {
        std::string label = option_label(e.option);
        if (!e.option.long_name.empty() && e.option.short_name != 0)
            label = "-" + std::string(1, e.option.short_name) + ", " + label;
        width = std::max(width, label.size());
        labels.push_back(std::move(label));
    }
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        labels[i].resize(width, ' ');
        text += "  " + labels[i] + "  " + entries_[i].option.help + "\n";
    }
    if (!epilogue_.empty()) text += "\n" + epilogue_ + (epilogue_.back() == '\n' ? "" : "\n");
    return text;
}

ParseOutcome OptionParser::parse(int argc, const char* const* argv, std::ostream& out, std::ostream& err) const {
    auto refuse = [&](const std::string& what) {
        err << program_ << ": " << what << '\n' << usage_line() << '\n';
        return ParseOutcome{false, EXIT_USAGE};
    };
    bool options_ended = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (options_ended || arg.size() < 2 || arg[0] != '-') {
            if (!operand_handler_) return refuse("unexpected argument '" + std::string(arg) + "'");
            if (std::string why = operand_handler_(arg); !why.empty()) return refuse(why);
            continue;
        }
        if (arg == "--") {
            options_ended = true;
            continue;
        }
        const Entry* entry = nullptr;
        std::optional<std::string_view> value;
        std::string shown;  // the option as the user wrote it, without a value
        if (arg.substr(0, 2) == "--") {
            std::string_view name = arg.substr(2);
            const std::size_t equals = name.find('=');
            if (equals != std::string_view::npos) {
                value = name.substr(equals + 1);
                name = name.substr(0, equals);
            }
            shown = "--" + std::string(name);
            entry = find_long(name);
            if (!entry) return refuse("unknown option '" + shown + "'");
            if (value && entry->option.value == Value::NONE) return refuse("option '" + shown + "' takes no value");
        } else {
            shown = std::string(arg.substr(0, 2));
            entry = find_short(arg[1]);
            if (!entry) return refuse("unknown option '" + shown + "'");
            if (arg.size() > 2) {
                if (entry->option.value == Value::NONE) return refuse("option '" + shown + "' takes no value");
                value = arg.substr(2);
            }
        }
        const Option& option = entry->option;
        if (!value && option.value == Value::REQUIRED) {
            if (i + 1 == argc) return refuse("option '" + shown + "' needs a value (" + option.value_name + ")");
            value = argv[++i];
        }
        if (!value && option.value == Value::OPTIONAL && i + 1 < argc && argv[i + 1][0] != '-')
            value = argv[++i];
        if (!entry->handler) {
            if (option.long_name == HELP)
                out << help_text();
            else
                out << program_ << ' ' << version() << '\n';
            return {false, EXIT_HELP};
        }
        if (std::string why = entry->handler(value); !why.empty()) return refuse(shown + ": " + why);
    }
    return {true, 0};
}

}  // namespace cli
