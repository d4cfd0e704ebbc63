// A one-line progress indicator on standard error for long sweeps: shown only
// when standard error is a terminal and the sweep runs longer than about two
// seconds. The report and the parameter files are not affected.
#pragma once

#include <chrono>
#include <cstdio>

namespace solver {

class SweepProgress {
public:
    // quiet: never shown.
    SweepProgress(int total_points, bool quiet);
    // For tests: the stream, whether it counts as a terminal, and the delay
    // before the indicator appears.
    SweepProgress(int total_points, std::FILE* stream, bool terminal, double show_after_seconds);
    ~SweepProgress();
    void point_done(int points_done);

private:
    using Clock = std::chrono::steady_clock;
    int total_;
    std::FILE* stream_;
    bool terminal_;
    double show_after_;
    bool shown_ = false;
    Clock::time_point start_;
    Clock::time_point last_update_;
};

}  // namespace solver
