#include "headless_presenter.h"

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

int HeadlessPresenter::read_key() {
    if (script.empty()) throw KeysExhausted();
    const int code = script.front();
    script.pop_front();
    return code;
}

bool HeadlessPresenter::key_waiting() {
    if (script.empty()) throw KeysExhausted();
    return true;
}
