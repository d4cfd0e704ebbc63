// The plotter's window: the canvas scaled by a whole factor, keys as the
// plotter's key codes, tones as a square wave.
#pragma once

#include <SDL.h>

#include <deque>
#include <string>

#include "presenter.h"

// Key codes of a key press (special keys; printable ones come as text).
void translate_sdl_key(SDL_Keycode sym, Uint16 mod, std::deque<int>& codes);
// Key codes of typed text (UTF-8): printable ASCII, and µ, ° and Ω as their
// code page 437 codes; anything else is dropped.
void translate_sdl_text(const char* utf8, std::deque<int>& codes);

class SdlPresenter : public Presenter {
public:
    SdlPresenter() = default;
    ~SdlPresenter() override;
    SdlPresenter(const SdlPresenter&) = delete;
    SdlPresenter& operator=(const SdlPresenter&) = delete;

    // Text modes are the console; graphics modes open the window (false
    // when no display can be opened).
    bool open_mode(int mode, int rows, VideoConfig& config) override;
    void present(const SoftwareCanvas& canvas) override;
    int read_key() override;  // throws ProgramQuit when the window is closed
    bool key_waiting() override;
    void wait_for_key() override;
    void beep(int frequency_hz, int duration_ms) override;
    void console_line(const std::string& text) override;

private:
    bool open_window();
    void close_window();
    void redraw();
    // Turns pending events into key codes; waits up to `wait_ms` for one
    // (a negative wait: until an event comes).
    // With `drop_repeats` (the events that came while a tone sounded) the
    // keyboard's auto-repeats are dropped.
    void pump_events(int wait_ms, bool drop_repeats = false);
    bool open_audio();

    SDL_Window* window_ = nullptr;
    SDL_Surface* picture_ = nullptr;  // the canvas in window colours, unscaled
    const SoftwareCanvas* canvas_ = nullptr;
    int scale_ = 1;
    bool video_ready_ = false;
    bool audio_tried_ = false;
    SDL_AudioDeviceID audio_ = 0;
    int audio_rate_ = 0;
    bool blink_on_ = true;
    Uint32 blink_time_ = 0;
    std::deque<int> keys_;
    bool drop_repeat_text_ = false;  // the text of a dropped auto-repeat follows
};
