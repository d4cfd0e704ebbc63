// Plot states as the drawers leave them, and comparison with golden files.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "plot_state.h"

// A Smith chart of three points from 1 GHz to 3 GHz.
PlotState small_smith_state(float grid_sign);
// Real and imaginary parts of an impedance in micro-ohms over 1..3 MHz, with
// a third point far outside the frame.
PlotState two_curve_rect_state();
// The phase of an s-parameter in degrees over 1..3 MHz, one curve.
PlotState one_curve_rect_state();

// A writer of one whole file from the plot state; false after a failed write.
using StreamWriter = bool (*)(const PlotState&, std::ostream&);

// What writer writes for s; a failure is a test failure.
std::string stream_text(StreamWriter writer, const PlotState& s);
// Written to a disk that fills up after `limit` characters, writer reports
// the failure and the file holds the first `limit` characters it would have.
void expect_stops_at_first_failed_write(StreamWriter writer, const PlotState& s,
                                        std::size_t limit);

std::vector<std::string> split_lines(const std::string& text);
// Index of the first line equal to `line` at or after `from`; lines.size()
// when there is none.
std::size_t index_of(const std::vector<std::string>& lines, const std::string& line,
                     std::size_t from = 0);
// Checks that the lines from index `first` on are the expected ones.
void expect_lines_at(const std::vector<std::string>& lines, std::size_t first,
                     const std::vector<std::string>& expected);
// True when one of the lines is `line`.
bool has_line(const std::vector<std::string>& lines, const std::string& line);
// The whole contents of a file; empty when it cannot be read.
std::string read_file(const std::string& path);
// Compares text with the golden file `name`; with MTL_UPDATE_GOLDEN=1 in the
// environment the golden file is written instead.
void expect_matches_golden(const std::string& text, const std::string& name);

#include <streambuf>

// A stream buffer that accepts `limit` characters and fails every write
// after that, like a disk that fills up.
class FillingBuffer : public std::streambuf {
public:
    explicit FillingBuffer(std::size_t limit) : limit_(limit) {}
    const std::string& written() const { return written_; }

protected:
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
        if (written_.size() >= limit_) return traits_type::eof();
        written_.push_back(traits_type::to_char_type(c));
        return c;
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        std::streamsize done = 0;
        while (done < n && written_.size() < limit_) written_.push_back(s[done++]);
        return done;
    }

private:
    std::size_t limit_;
    std::string written_;
};
