// The run report VDANOUT.DAT: a text sink every stage of the solver appends
// to. Lines end with a single LF; texts are code page 437 bytes (Ω is 0xEA,
// ° is 0xF8).
//
// Free-format message lines are a blank followed by the items in order with
// one blank between neighbouring items; texts are written unchanged (their
// own leading or trailing blanks included) and integers in their shortest
// form ("7", "-3", "512").
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <string_view>

namespace solver {

// Code page 437 bytes of the characters beyond ASCII the report uses.
inline constexpr const char* OHM = "\xEA";
inline constexpr const char* DEGREE = "\xF8";

// One item of a free-format message line: a text or an integer.
class MessageItem {
public:
    MessageItem(const char* text) : text_(text) {}
    MessageItem(std::string_view text) : text_(text) {}
    MessageItem(std::int32_t value) : text_(std::to_string(value)) {}

    const std::string& text() const { return text_; }

private:
    std::string text_;
};

// The text of a free-format message line: a blank before every item.
std::string message_text(std::initializer_list<MessageItem> items);

class RunReport {
public:
    // Creates or replaces the file. On failure returns false and puts the
    // reason into `reason`.
    bool open(const std::filesystem::path& path, std::string& reason);

    void empty_line();
    void empty_lines(int count);
    // One line exactly as given (the line end is added).
    void line(std::string_view text);
    // A free-format message line.
    void message(std::initializer_list<MessageItem> items);
    // Two empty lines, then the message: the form of most error messages.
    void error_message(std::initializer_list<MessageItem> items);

    // Closes the file; false if anything could not be written.
    bool close();
    bool is_open() const { return out_.is_open(); }

private:
    std::ofstream out_;
};

}  // namespace solver
