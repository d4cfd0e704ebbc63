// Reader for the solver's free-format input files.
//
// A read (start_read followed by next_integer/next_real calls) begins at the
// start of a new line and takes values separated by blanks, TABs, commas and
// line ends, continuing over further lines until it has what it asks for;
// whatever stands on its last line after its values is skipped by the next
// start_read. A value that is not a plain number (letters, a repeat count
// such as 3*0.0, a slash), an empty value between two commas, an integer
// outside 32 bits, a real that is not finite in 32 bits (nan, inf, 1e400)
// and the end of the file are failed reads. So are a line longer than
// MAX_LINE_BYTES and a file longer than MAX_FILE_BYTES (no real input comes
// near either): a file that never ends (/dev/zero) is not read into memory.
// A UTF-8 byte-order mark at the start of the file is skipped.
//
// Text after the values of a read's last line is a comment, except that
// numbers there were most likely meant to be read (a decimal comma, more
// values than the read takes): with warnings given to open(), such a rest
// gives one warning when the next read starts or the reading is finished.
//
// After a failed read failure() holds a one-line description naming the
// file, the line and what was expected, e.g.
//   LININP.DAT:7: expected a real number (value 3 of 4 of matrix [C] of line 1), found "1.2e-10x"
//   CONFIG.DAT:1: line 1 is longer than 1048576 bytes
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>

#include "line_source.h"
#include "input_warnings.h"

namespace solver {

inline constexpr std::size_t MAX_LINE_BYTES = std::size_t{1} << 20;
inline constexpr std::uint64_t MAX_FILE_BYTES = std::uint64_t{16} << 20;

class FreeFormatReader {
public:
    // Opens file_name in directory. False if it cannot be opened; failure()
    // then tells why. Unread numbers at the end of a read's line are
    // reported to `warnings` when given.
    bool open(const std::filesystem::path& directory, const std::string& file_name,
              InputWarnings* warnings = nullptr);
    void close();
    // Closes the file after its last read was accepted; checks what stands
    // after that read's values.
    void finish();

    // Begins a new read on the next line.
    void start_read();

    // The next value of the current read. `what` names the value for the
    // failure text; with count > 1 the text reads
    // "value <position> of <count> of <what>".
    bool next_integer(std::int32_t& value, std::string_view what, int position = 1, int count = 1);
    bool next_real(float& value, std::string_view what, int position = 1, int count = 1);

    // Whole reads of count values.
    bool read_integers(std::int32_t* values, int count, std::string_view what);
    bool read_reals(float* values, int count, std::string_view what);

    const std::string& failure() const { return failure_; }

    // For values that were read but then rejected: "FILE:LINE: expected
    // <expected>, found "<last value as written>"".
    std::string rejection(std::string_view expected) const;
    // "FILE:LINE" of the last value read, and that line's number.
    std::string last_value_location() const;
    int last_value_line() const { return token_line_; }

    const std::string& file_name() const { return file_name_; }

private:
    enum class TokenResult { VALUE, END_OF_FILE, EMPTY_VALUE, TOO_LONG };
    TokenResult next_token();
    // The next line into line_: VALUE, END_OF_FILE or TOO_LONG.
    TokenResult load_line();
    bool fail(std::string_view kind, std::string_view what, int position, int count, TokenResult result);
    void check_unread_rest();

    std::ifstream in_;
    std::unique_ptr<portfiles::LineSource> lines_;
    std::uint64_t bytes_read_ = 0;
    std::string too_long_;  // what was too long, for the failure text
    std::string file_name_;
    std::string line_;
    std::size_t pos_ = 0;
    int line_number_ = 0;
    bool new_read_pending_ = true;
    bool comma_allowed_ = false;
    std::string token_;
    int token_line_ = 0;
    std::string failure_;
    InputWarnings* warnings_ = nullptr;
    bool read_has_value_ = false;  // the current read has taken a value
    bool failed_ = false;
};

}  // namespace solver
