#include "sweep_progress.h"

#include <unistd.h>

namespace solver {

namespace {

constexpr double SHOW_AFTER_SECONDS = 2.0;
constexpr double UPDATE_EVERY_SECONDS = 0.25;

}  // namespace

SweepProgress::SweepProgress(int total_points, bool quiet)
    : SweepProgress(total_points, stderr, !quiet && isatty(STDERR_FILENO) == 1, SHOW_AFTER_SECONDS) {}

SweepProgress::SweepProgress(int total_points, std::FILE* stream, bool terminal, double show_after_seconds)
    : total_(total_points),
      stream_(stream),
      terminal_(terminal),
      show_after_(show_after_seconds),
      start_(Clock::now()),
      last_update_(start_) {}

SweepProgress::~SweepProgress() {
    if (shown_) std::fprintf(stream_, "\r\033[K");  // leave the line clean
}

void SweepProgress::point_done(int done) {
    if (!terminal_ || done >= total_) return;
    auto now = Clock::now();
    double elapsed = std::chrono::duration<double>(now - start_).count();
    if (elapsed < show_after_) return;
    if (shown_ && std::chrono::duration<double>(now - last_update_).count() < UPDATE_EVERY_SECONDS) return;
    last_update_ = now;
    shown_ = true;
    double remaining = done > 0 ? elapsed * (total_ - done) / done : 0.0;
    std::fprintf(stream_, "\rmtlnet: frequency %d of %d, %.0f s elapsed, about %.0f s remaining\033[K",
                 done, total_, elapsed, remaining);
    std::fflush(stream_);
}

}  // namespace solver
