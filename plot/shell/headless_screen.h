// A screen without a window, for tests: keys come from a script, tones are
// recorded, and the canvas and its text cells can be read back.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "headless_presenter.h"

class HeadlessScreen {
public:
    using Options = HeadlessOptions;

    // Installs a headless presenter. With `ready` the screen is brought to
    // where the plotter's start-up leaves it before the main menu: graphics
    // mode, wrap off, cursor hidden, screen layout computed, plot area set.
    explicit HeadlessScreen(bool ready = true);
    HeadlessScreen(bool ready, const Options& options);
    ~HeadlessScreen();
    HeadlessScreen(const HeadlessScreen&) = delete;
    HeadlessScreen& operator=(const HeadlessScreen&) = delete;

    // Key script: raw codes as read_key returns them.
    void keys(std::initializer_list<int> codes);
    void key(int code);
    void extended(int scan_code);  // 0 followed by the scan code
    void text(const std::string& characters);
    std::size_t pending_keys() const;
    // One key (its codes) arriving at a moment of the presenter's clock,
    // which tones move on by their duration; `repeated` marks the
    // keyboard's auto-repeat of a held key.
    void timed_key(long arrives_ms, bool repeated, std::initializer_list<int> codes);
    // The codes taken so far, each with the clock when it was taken.
    std::vector<std::pair<int, long>> taken_keys() const;
    // How often the program woke to look for a key (see HeadlessPresenter).
    long wakeups() const;

    // Text cells (1-based, absolute screen cells) and pixels.
    std::string row_text(int row) const;
    std::string text_at(int row, int column, int length) const;
    int cell_color(int row, int column) const;
    std::uint8_t pixel(int x, int y) const;  // absolute screen pixel
    bool cursor_visible() const;
    int cursor_row() const;
    int cursor_column() const;

    const std::vector<Tone>& tones() const;
    void clear_tones();

    // When false, obtain_image_buffer fails (to test "out of memory" paths).
    void set_image_buffers_available(bool available);

    bool save_png(const std::string& path) const;
    bool save_bmp(const std::string& path) const;

    // Lines written to the console (start-up failures) and the current mode.
    const std::vector<std::string>& console_lines() const;
    int video_mode() const;
};
