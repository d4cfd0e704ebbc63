// A text file written line by line that notices its first failed write.
// After the first failure every further write is skipped, so the file keeps
// what was written up to that point and the caller reports the failure once.
//
// Lines end with a single line feed (LF).
#pragma once

#include <ostream>
#include <string>
#include <string_view>

class TextSink {
public:
    explicit TextSink(std::ostream& out) : out_(out) {}

    // True while every write so far has succeeded.
    bool ok() const { return ok_; }

    // Writes text without ending the line.
    void write(std::string_view text);
    void end_line();
    void line(std::string_view text) {
        write(text);
        end_line();
    }

private:
    std::ostream& out_;
    bool ok_ = true;
};

// text padded with blanks or cut to exactly length characters.
std::string fixed_text(const std::string& text, int length);
// A fixed-length text without its trailing blanks.

