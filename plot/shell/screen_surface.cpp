// Modes, text, drawing and images of the graphics surface: all work on its
// one software canvas; the presenter is asked only for the video modes.
#include "screen_surface.h"

#include "surface_state.h"

namespace {

SurfaceState& state() { return surface_state(); }

int switch_mode(int mode, int rows) {
    SurfaceState& s = state();
    VideoConfig config;
    if (!s.presenter->open_mode(mode, rows, config)) return 0;
    s.config = config;
    s.canvas.reset(config.pixel_width, config.pixel_height, config.text_columns, config.text_rows);
    return 1;
}

}  // namespace

// ---------------------------------------------------------------- modes, text

int set_video_mode(int mode) { return switch_mode(mode, 0); }

int set_video_mode_rows(int mode, int rows) { return switch_mode(mode, rows); }

VideoConfig get_video_config() { return state().config; }

void clear_screen(ClearArea area) {
    if (area == ClearArea::SCREEN) {
        state().canvas.clear_screen();
    } else {
        state().canvas.clear_viewport();
    }
}

void set_text_position(int row, int col) { state().canvas.set_text_position(row, col); }
void put_text(const std::string& text) { state().canvas.put_text(text); }
void set_text_color(int color) { state().canvas.set_text_color(color); }
void show_text_cursor(bool on) { state().canvas.set_cursor_visible(on); }
void set_text_wrap(bool on) { state().canvas.set_wrap(on); }

void set_text_window(int top, int left, int bottom, int right) {
    state().canvas.set_text_window(top, left, bottom, right);
}

TextWindow get_text_window() { return state().canvas.text_window(); }
void scroll_text_window(int lines) { state().canvas.scroll_text_window(lines); }

void write_console_line(const std::string& text) {
    SurfaceState& s = state();
    s.canvas.put_text(text);
    s.canvas.put_text("\n");
    s.presenter->console_line(text);
}

// ---------------------------------------------------------------- drawing

void set_viewport(int x1, int y1, int x2, int y2) { state().canvas.set_viewport(x1, y1, x2, y2); }

void set_window(bool invert_y, double wx1, double wy1, double wx2, double wy2) {
    state().canvas.set_window(invert_y, wx1, wy1, wx2, wy2);
}

void move_to(double wx, double wy) { state().canvas.move_to(wx, wy); }
void line_to(double wx, double wy) { state().canvas.line_to(wx, wy); }
void set_color(int color) { state().canvas.set_color(color); }
void set_line_style(std::uint16_t pattern) { state().canvas.set_line_style(pattern); }

// ---------------------------------------------------------------- images

long image_size(int x1, int y1, int x2, int y2) { return state().canvas.image_size(x1, y1, x2, y2); }

bool obtain_image_buffer(ImageBuffer& buffer, long size) {
    constexpr long LARGEST = 16L * 1024 * 1024;
    if (!state().image_buffers_available || size <= 0 || size > LARGEST) return false;
    buffer.assign(static_cast<std::size_t>(size), 0);
    return true;
}

void release_image_buffer(ImageBuffer& buffer) {
    buffer.clear();
    buffer.shrink_to_fit();
}

void get_image(int x1, int y1, int x2, int y2, ImageBuffer& buffer) {
    state().canvas.get_image(x1, y1, x2, y2, buffer);
}

void put_image(int x, int y, const ImageBuffer& buffer, ImageAction action) {
    state().canvas.put_image(x, y, buffer, action);
}

