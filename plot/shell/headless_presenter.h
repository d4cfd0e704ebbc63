// A presenter without a window: keys come from a script, tones and console
// lines are recorded, the video modes are those of its options.
//
// Time is simulated: a tone lasts its duration on the presenter's clock, and
// a scripted key may arrive at a given moment of that clock, as a press or as
// the keyboard's auto-repeat of a held key. Keys arrive in script order.
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

// One code of the key script. An extended key is two codes with the same
// arrival and repeat flag.
struct ScriptedKey {
    ScriptedKey(int key_code, long arrival_ms = 0, bool auto_repeat = false)
        : code(key_code), arrives_ms(arrival_ms), repeated(auto_repeat) {}
    int code;
    long arrives_ms;  // 0: there from the start
    bool repeated;    // produced by the keyboard's auto-repeat
};

// A code the program took, and the clock when it took it.
struct TakenKey {
    int code;
    long taken_ms;
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
    void wait_for_key() override;
    // Records the tone; the clock moves on by its duration.
    void beep(int frequency_hz, int duration_ms) override;
    void console_line(const std::string& text) override { console.push_back(text); }

    std::deque<ScriptedKey> script;
    std::vector<Tone> tones;
    std::vector<std::string> console;
    std::vector<TakenKey> taken;
    long clock_ms = 0;
    // How often the program woke to look for a key: a poll that found none
    // moves the clock on by POLL_MS; a wait for a key wakes once.
    long wakeups = 0;
    static constexpr long POLL_MS = 10;

private:
    // Drops the auto-repeats that came while a tone sounded; the clock then
    // waits for the next key.
    void wait_for_next_key();

    HeadlessOptions options_;
    long tone_end_ms_ = 0;
    bool scan_code_next_ = false;  // the second code of an extended key is due
};
