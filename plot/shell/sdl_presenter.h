// The plotter's window: the canvas scaled by a whole factor, keys as the
// plotter's key codes, tones as a square wave.
#pragma once

#include <SDL.h>

#include <deque>
#include <string>

#include "presenter.h"

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
    void beep(int frequency_hz, int duration_ms) override;
    void console_line(const std::string& text) override;

private:
    bool open_window();
    void close_window();
    void redraw();
    // Turns pending events into key codes; waits up to `wait_ms` for one.
    void pump_events(int wait_ms);
    void key_down(const SDL_KeyboardEvent& event);
    void text_input(const char* utf8);
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
};
