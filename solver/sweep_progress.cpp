#include "sweep_progress.h"

#include <unistd.h>

namespace solver {

namespace {

constexpr double SHOW_AFTER_SECONDS = 2.0;
constexpr double UPDATE_EVERY_SECONDS = 0.25;

}  // namespace

SweepProgress::SweepProgress(int total_points)
    : total_(total_points),
      terminal_(isatty(STDERR_FILENO) == 1),
      start_(Clock::now()),
      last_update_(start_) {}

SweepProgress::~SweepProgress() {
    if (shown_) std::fprintf(stderr, "\r\033[K");
}

void SweepProgress::point_done(int done) {
    if (!terminal_ || done >= total_) return;
    auto now = Clock::now();
    double elapsed = std::chrono::duration<double>(now - start_).count();
    if (elapsed < SHOW_AFTER_SECONDS) return;
    if (shown_ && std::chrono::duration<double>(now - last_update_).count() < UPDATE_EVERY_SECONDS) return;
    last_update_ = now;
    shown_ = true;
    double remaining = done > 0 ? elapsed * (total_ - done) / done : 0.0;
    std::fprintf(stderr, "\rmtlnet: frequency %d of %d, %.0f s elapsed, about %.0f s remaining\033[K",
                 done, total_, elapsed, remaining);
    std::fflush(stderr);
}

}  // namespace solver
