#include "headless_screen.h"

#include <memory>

#include "bitmap_file.h"
#include "headless_presenter.h"
#include "png_writer.h"
#include "screen_surface.h"
#include "screen_toolkit.h"
#include "surface_backend.h"
#include "vga_palette.h"

namespace {

// The presenter of the live headless screen (owned by the surface).
HeadlessPresenter* active = nullptr;

HeadlessPresenter& presenter() {
    if (active == nullptr) throw std::logic_error("no headless screen");
    return *active;
}

// The screen as the plotter's start-up leaves it before the main menu.
void prepare_plot_screen() {
    set_video_mode(VIDEO_TEXT_80);
    set_text_wrap(false);
    show_text_cursor(false);
    if (!set_video_mode_rows(VIDEO_VGA_640X480, 30)) set_video_mode(VIDEO_MAX_RESOLUTION);
    set_text_wrap(false);
    show_text_cursor(false);
    const VideoConfig config = get_video_config();
    compute_screen_layout(config.pixel_width, config.pixel_height, config.text_columns,
                          config.text_rows);
    clear_screen(ClearArea::SCREEN);
    const ScreenLayout& layout = screen_layout();
    set_plot_area(layout.plot_cells.left, layout.plot_cells.top, layout.plot_cells.right,
                  layout.plot_cells.bottom);
}

}  // namespace

HeadlessScreen::HeadlessScreen(bool ready) : HeadlessScreen(ready, Options{}) {}

HeadlessScreen::HeadlessScreen(bool ready, const Options& options) {
    auto owned = std::make_unique<HeadlessPresenter>(options);
    active = owned.get();
    install_presenter(std::move(owned));
    if (ready) prepare_plot_screen();
}

HeadlessScreen::~HeadlessScreen() {
    active = nullptr;
    install_presenter(std::make_unique<HeadlessPresenter>());
}

void HeadlessScreen::keys(std::initializer_list<int> codes) {
    for (int code : codes) presenter().script.push_back(code);
}

void HeadlessScreen::key(int code) { presenter().script.push_back(code); }

void HeadlessScreen::extended(int scan_code) {
    presenter().script.push_back(0);
    presenter().script.push_back(scan_code);
}

void HeadlessScreen::text(const std::string& characters) {
    for (char c : characters) presenter().script.push_back(static_cast<unsigned char>(c));
}

std::size_t HeadlessScreen::pending_keys() const { return presenter().script.size(); }

long HeadlessScreen::wakeups() const { return presenter().wakeups; }

void HeadlessScreen::timed_key(long arrives_ms, bool repeated, std::initializer_list<int> codes) {
    for (int code : codes) presenter().script.emplace_back(code, arrives_ms, repeated);
}

std::vector<std::pair<int, long>> HeadlessScreen::taken_keys() const {
    std::vector<std::pair<int, long>> result;
    for (const TakenKey& k : presenter().taken) result.emplace_back(k.code, k.taken_ms);
    return result;
}

std::string HeadlessScreen::row_text(int row) const {
    return text_at(row, 1, surface_canvas().columns());
}

std::string HeadlessScreen::text_at(int row, int column, int length) const {
    std::string text;
    for (int i = 0; i < length; ++i)
        text.push_back(static_cast<char>(surface_canvas().cell(row, column + i).character));
    return text;
}

int HeadlessScreen::cell_color(int row, int column) const {
    return surface_canvas().cell(row, column).color;
}

std::uint8_t HeadlessScreen::pixel(int x, int y) const { return surface_canvas().pixel(x, y); }
bool HeadlessScreen::cursor_visible() const { return surface_canvas().cursor_visible(); }
int HeadlessScreen::cursor_row() const { return surface_canvas().cursor_row(); }
int HeadlessScreen::cursor_column() const { return surface_canvas().cursor_column(); }

const std::vector<Tone>& HeadlessScreen::tones() const { return presenter().tones; }
void HeadlessScreen::clear_tones() { presenter().tones.clear(); }

void HeadlessScreen::set_image_buffers_available(bool available) {
    ::set_image_buffers_available(available);
}

bool HeadlessScreen::save_png(const std::string& path) const {
    const SoftwareCanvas& canvas = surface_canvas();
    std::vector<std::uint8_t> rgb;
    rgb.reserve(canvas.pixels().size() * 3);
    for (std::uint8_t index : canvas.pixels()) {
        const Rgb& c = VGA_PALETTE[index & 15];
        rgb.insert(rgb.end(), {c.red, c.green, c.blue});
    }
    return write_png_rgb(path, canvas.width(), canvas.height(), rgb);
}

bool HeadlessScreen::save_bmp(const std::string& path) const {
    const SoftwareCanvas& canvas = surface_canvas();
    return write_bmp_image(canvas, path, 0, 0, canvas.width() - 1, canvas.height() - 1) == 0;
}

const std::vector<std::string>& HeadlessScreen::console_lines() const { return presenter().console; }

int HeadlessScreen::video_mode() const { return get_video_config().mode; }
