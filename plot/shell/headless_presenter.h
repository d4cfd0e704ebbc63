// A presenter without a window: keys come from a script, tones and console
// lines are recorded, the video modes are those of its options.
#pragma once

#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

#include "presenter.h"

struct Tone {
    int frequency_hz;
    int duration_ms;
    bool operator==(const Tone&) const = default;
};

// Thrown by read_key when the key script has run out, so that a test that
// expects a screen to return never hangs.
struct KeysExhausted : std::runtime_error {
    KeysExhausted() : std::runtime_error("key script exhausted") {}
};

// The video modes a headless presenter offers.
struct HeadlessOptions {
    bool text_mode_available = true;
    bool graphics_rows_available = true;      // set_video_mode_rows(18, 30) works
    bool max_resolution_available = true;     // set_video_mode(highest) works
    int graphics_width = 640;
    int graphics_height = 480;
    int graphics_rows = 30;                   // text rows of the graphics mode
    int graphics_columns = 80;
};

class HeadlessPresenter : public Presenter {
public:
    HeadlessPresenter() = default;
    explicit HeadlessPresenter(const HeadlessOptions& options) : options_(options) {}

    bool open_mode(int mode, int rows, VideoConfig& config) override;
    void present(const SoftwareCanvas&) override {}
    // Both throw KeysExhausted when the script is empty, so that a screen
    // waiting for a key never hangs a test.
    int read_key() override;
    bool key_waiting() override;
    void beep(int frequency_hz, int duration_ms) override {
        tones.push_back(Tone{frequency_hz, duration_ms});
    }
    void console_line(const std::string& text) override { console.push_back(text); }

    std::deque<int> script;
    std::vector<Tone> tones;
    std::vector<std::string> console;

private:
    HeadlessOptions options_;
};
