// Line-by-line reading with a bound on the length of a line, so that no
// file (a line that never ends, /dev/zero) makes a reader hold more than
// the bound in memory. A UTF-8 byte-order mark at the start is skipped; a
// carriage return before the line end is dropped.
#pragma once

#include <cstddef>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace portfiles {

class LineSource {
public:
    enum class Status { LINE, END, TOO_LONG };

    LineSource(std::istream& in, std::size_t max_length) : in_(in), max_length_(max_length) {}

    // The next line, without its line end. TOO_LONG when it holds more than
    // max_length characters; the source then stays at its end.
    Status next(std::string_view& line);

    // Number of the line last returned (from 1).
    int line_number() const { return line_number_; }
    std::size_t max_length() const { return max_length_; }

private:
    std::istream& in_;
    std::size_t max_length_;
    std::string line_;
    int line_number_ = 0;
    bool ended_ = false;
};

// Splits a line into fields separated by blanks, tabs and commas.
void split_fields(std::string_view line, std::vector<std::string_view>& fields);

// True if the line holds nothing but blanks and tabs.
bool is_blank_line(std::string_view line);

}  // namespace portfiles
