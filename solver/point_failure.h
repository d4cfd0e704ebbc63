// A failure of the sweep's numerics at one frequency, as the user gets to see
// it: the run report's message line and the one-line diagnostic.
#pragma once

#include <string>

namespace solver {

struct PointFailure {
    std::string message;     // the report's free-format message line
    std::string diagnostic;  // one line for the user, without the program's name
};

}  // namespace solver
