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
#include <initializer_list>
#include <memory>
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

// The report is written as it goes (it is a log, the first thing a user
// reads after a failed run), through a buffer of its own. After the first
// failed write nothing more is written; the reason is kept.
class RunReport {
public:
    RunReport() = default;
    ~RunReport();
    RunReport(const RunReport&) = delete;
    RunReport& operator=(const RunReport&) = delete;

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

    // For writers of many lines that put their text into the buffer
    // themselves: room(count) is where `count` characters (at most 4 KiB)
    // can go, advance(end) takes those up to `end` (whole lines with their
    // line ends) into the report.
    char* room(std::size_t count);
    void advance(const char* end) { buffered_ = static_cast<std::size_t>(end - buffer_.get()); }

    // Writes out what is buffered; false once a write has failed.
    bool flush();
    bool failed() const { return !failure_.empty(); }
    // The system's message for the failed write.
    const std::string& failure() const { return failure_; }

    // After a failed write: ends the report with `ending` (whole lines) in
    // the space the file already has on disk, giving up as many of its last
    // lines as that needs. False where that is impossible (no room at all,
    // not a regular file).
    bool end_cut_report(std::string_view ending);

    // Closes the file; false if anything could not be written.
    bool close();
    bool is_open() const { return fd_ >= 0; }

private:
    void write_out(std::string_view bytes);

    int fd_ = -1;
    std::unique_ptr<char[]> buffer_;  // made at the first line
    std::size_t buffered_ = 0;
    std::string tail_;            // the last bytes in the file, to find its last lines
    std::uint64_t written_ = 0;   // bytes in the file
    std::string failure_;
};

}  // namespace solver
