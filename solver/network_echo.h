// Texts of the network echo: element lines and the walk over the line ends.
#pragma once

#include <string>

#include "solver_tables.h"

namespace solver {

// The echo line of one element (with its leading blank and TAB), values as
// repaired.
std::string element_echo_line(const NodeElement& element);

// The line ends in node order: (line 1, conductor 1, end 1), the further
// conductors of end 1, then end 2 of the same line, then the next line.
class LineEndWalk {
public:
    explicit LineEndWalk(const LineTable& lines) : lines_(lines), done_(lines.line_count <= 0) {}

    bool done() const { return done_; }
    // The echo line of the current line end (leading blank and TAB).
    std::string echo_line() const;
    void advance();

    int line() const { return line_; }
    int conductor() const { return conductor_; }
    int end() const { return end_; }

private:
    const LineTable& lines_;
    int line_ = 1;
    int conductor_ = 1;
    int end_ = 1;
    bool done_;
};

}  // namespace solver
