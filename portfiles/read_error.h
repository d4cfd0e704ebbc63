// What a reader of this library reports when a file is not what it should
// be: where, what was expected there and what was found.
#pragma once

#include <string>

namespace portfiles {

struct ReadError {
    std::string file;  // as it is to be shown
    int line = 0;      // from 1; 0 when the file could not be opened
    std::string expected;
    std::string found;

    // "FILE:LINE: expected EXPECTED, found FOUND" (or "FILE: ..." without a
    // line).
    std::string message() const;
};

// The refusal of a file that cannot be opened for reading, with the
// system's reason (from errno, which the opening attempt set).
ReadError cannot_open(const std::string& shown_name);

// Text of the file as it may stand in a one-line diagnostic: printable
// ASCII only (anything else shown as ?), at most 40 characters.
std::string shown_text(std::string_view text);

// The same, quoted: a field of the file.
std::string quoted_field(std::string_view text);

}  // namespace portfiles
