// Warnings about input that reads without error but is probably not what
// the user meant: units off by powers of ten, a decimal comma, a sweep
// written as start, stop and points. They go to the diagnostics stream only
// and never change the run report, the parameter files or the exit status,
// unless the command line makes them errors (--strict); --quiet drops them.
#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace solver {

enum class WarningMode { SHOW, QUIET, STRICT };

class InputWarnings {
public:
    explicit InputWarnings(std::ostream& diagnostics, WarningMode mode = WarningMode::SHOW)
        : diagnostics_(diagnostics), mode_(mode) {}

    void set_mode(WarningMode mode) { mode_ = mode; }
    WarningMode mode() const { return mode_; }

    // One warning about the input at `location` ("FILE:LINE"). Printed at
    // once as "mtlnet: warning: FILE:LINE: text" ("mtlnet: error: ..." when
    // warnings are errors, nothing when they are silenced) and kept.
    void add(std::string_view location, std::string_view text);

    // Every warning so far as "FILE:LINE: text", printed or not.
    const std::vector<std::string>& all() const { return warnings_; }
    std::size_t count() const { return warnings_.size(); }

private:
    std::ostream& diagnostics_;
    WarningMode mode_;
    std::vector<std::string> warnings_;
};

}  // namespace solver
