// The graphics surface: every operation works on the one software canvas and
// asks the installed presenter for modes, keys and tones.
#include "graphics_surface.h"

#include <utility>

#include "bitmap_file.h"
#include "headless_presenter.h"
#include "screen_toolkit.h"
#include "surface_backend.h"

namespace {

struct SurfaceState {
    SoftwareCanvas canvas;
    std::unique_ptr<Presenter> presenter = std::make_unique<HeadlessPresenter>();
    VideoConfig config{640, 480, 80, 30, 16, 4, VIDEO_VGA_640X480};
    bool image_buffers_available = true;
};

SurfaceState& state() {
    static SurfaceState s;
    return s;
}

int switch_mode(int mode, int rows) {
    SurfaceState& s = state();
    VideoConfig config;
    if (!s.presenter->open_mode(mode, rows, config)) return 0;
    s.config = config;
    s.canvas.reset(config.pixel_width, config.pixel_height, config.text_columns, config.text_rows);
    return 1;
}

}  // namespace

void install_presenter(std::unique_ptr<Presenter> presenter) {
    // Release the old presenter (closing its window) before the new one starts.
    state().presenter.reset();
    state().presenter = presenter ? std::move(presenter) : std::make_unique<HeadlessPresenter>();
    reset_surface();
}

Presenter& current_presenter() { return *state().presenter; }

void reset_surface() {
    SurfaceState& s = state();
    s.config = VideoConfig{640, 480, 80, 30, 16, 4, VIDEO_VGA_640X480};
    s.canvas.reset(640, 480, 80, 30);
    s.image_buffers_available = true;
    screen_layout() = ScreenLayout{};
    reset_directory_searches();
    reset_stroke_fonts();
}

const SoftwareCanvas& surface_canvas() { return state().canvas; }

void set_image_buffers_available(bool available) { state().image_buffers_available = available; }

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

// ---------------------------------------------------------------- keys, sound

int read_key() {
    SurfaceState& s = state();
    s.presenter->present(s.canvas);
    return s.presenter->read_key();
}

bool key_waiting() {
    SurfaceState& s = state();
    s.presenter->present(s.canvas);
    return s.presenter->key_waiting();
}

void beep(int frequency_hz, int duration_ms) {
    SurfaceState& s = state();
    s.presenter->present(s.canvas);
    s.presenter->beep(frequency_hz, duration_ms);
}

// ---------------------------------------------------------------- bitmap files

int save_bitmap(const std::string& file, int x1, int y1, int x2, int y2) {
    const SoftwareCanvas& canvas = state().canvas;
    const PixelRect v = canvas.viewport();
    return write_bmp_image(canvas, file, v.x1 + x1, v.y1 + y1, v.x1 + x2, v.y1 + y2);
}

int load_bitmap(const std::string& file, int x, int y) {
    SoftwareCanvas& canvas = state().canvas;
    const PixelRect v = canvas.viewport();
    std::string path = find_file(file);
    if (path.empty()) path = file;
    return draw_bmp_file(canvas, path, v.x1 + x, v.y1 + y);
}
