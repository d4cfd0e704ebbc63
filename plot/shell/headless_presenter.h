// A presenter without a window: keys come from a script, tones and console
// lines are recorded, the video modes are those of its options.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "headless_screen.h"
#include "presenter.h"

class HeadlessPresenter : public Presenter {
public:
    HeadlessPresenter() = default;
    explicit HeadlessPresenter(const HeadlessScreen::Options& options) : options_(options) {}

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
    HeadlessScreen::Options options_;
};
