#include "headless_presenter.h"

#include <algorithm>

#include "key_codes.h"

// The mode found at start: a colour text screen of 80 x 25 cells.
constexpr int START_TEXT_MODE = 3;

bool HeadlessPresenter::open_mode(int mode, int /*rows*/, VideoConfig& config) {
    const VideoConfig text{640, 400, 80, 25, 16, 4, VIDEO_TEXT_80};
    const VideoConfig graphics{options_.graphics_width, options_.graphics_height,
                               options_.graphics_columns, options_.graphics_rows, 16, 4,
                               VIDEO_VGA_640X480};
    switch (mode) {
        case VIDEO_DEFAULT_MODE:
            config = text;
            config.mode = START_TEXT_MODE;
            return true;
        case VIDEO_TEXT_80:
            if (!options_.text_mode_available) return false;
            config = text;
            return true;
        case VIDEO_VGA_640X480:
            if (!options_.graphics_rows_available) return false;
            config = graphics;
            return true;
        case VIDEO_MAX_RESOLUTION:
            if (!options_.max_resolution_available) return false;
            config = graphics;
            return true;
        default:
            return false;
    }
}

void HeadlessPresenter::wait_for_next_key() {
    // An auto-repeat that arrived while a tone sounded is dropped whole, as
    // the window drops it.
    while (!scan_code_next_ && !script.empty() && script.front().repeated &&
           script.front().arrives_ms < tone_end_ms_) {
        const bool extended = keys::is_extended(script.front().code);
        script.pop_front();
        if (extended && !script.empty()) script.pop_front();
    }
    if (script.empty()) throw KeysExhausted();
    clock_ms = std::max(clock_ms, script.front().arrives_ms);
}

int HeadlessPresenter::read_key() {
    wait_for_next_key();
    const int code = script.front().code;
    script.pop_front();
    scan_code_next_ = !scan_code_next_ && keys::is_extended(code);
    taken.push_back(TakenKey{code, clock_ms});
    return code;
}

bool HeadlessPresenter::key_waiting() {
    ++wakeups;
    if (!script.empty() && !scan_code_next_ && script.front().arrives_ms > clock_ms) {
        clock_ms += POLL_MS;
        return false;
    }
    wait_for_next_key();
    return true;
}

void HeadlessPresenter::wait_for_key() {
    ++wakeups;
    wait_for_next_key();
}

void HeadlessPresenter::beep(int frequency_hz, int duration_ms) {
    tones.push_back(Tone{frequency_hz, duration_ms});
    clock_ms += duration_ms;
    tone_end_ms_ = clock_ms;
}
