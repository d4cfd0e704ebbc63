#include "software_canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "cp437_font.h"

namespace {

// Coordinates far outside any screen are held here, so that the conversion
// to integers stays defined and the line drawing stays bounded.
constexpr double COORDINATE_LIMIT = 1.0e7;

long long to_pixel(double value) {
    if (std::isnan(value)) return static_cast<long long>(-COORDINATE_LIMIT);
    value = std::clamp(value, -COORDINATE_LIMIT, COORDINATE_LIMIT);
    return std::llround(value);
}

// floor(a / b) for b > 0.
long long floor_div(long long a, long long b) {
    long long q = a / b;
    if ((a % b != 0) && (a < 0)) --q;
    return q;
}

}  // namespace

void SoftwareCanvas::reset(int width, int height, int columns, int rows) {
    width_ = std::max(1, width);
    height_ = std::max(1, height);
    columns_ = std::max(1, columns);
    rows_ = std::max(1, rows);
    cell_width_ = std::max(1, width_ / columns_);
    cell_height_ = std::max(1, height_ / rows_);
    pixels_.assign(static_cast<std::size_t>(width_) * height_, 0);
    cells_.assign(static_cast<std::size_t>(columns_) * rows_, TextCell{});
    window_ = TextWindow{1, 1, rows_, columns_};
    row_ = column_ = 1;
    text_color_ = 7;
    wrap_ = true;
    cursor_visible_ = true;
    viewport_ = PixelRect{0, 0, width_ - 1, height_ - 1};
    window_set_ = false;
    invert_y_ = false;
    wx1_ = wy1_ = 0;
    wx2_ = wy2_ = 1;
    pen_x_ = pen_y_ = 0;
    color_ = 15;
    pattern_ = 0xFFFF;
    pattern_phase_ = 0;
}

std::uint8_t SoftwareCanvas::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    return pixels_[static_cast<std::size_t>(y) * width_ + x];
}

void SoftwareCanvas::set_pixel(int x, int y, int color) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    pixels_[static_cast<std::size_t>(y) * width_ + x] = static_cast<std::uint8_t>(color & 15);
}

TextCell SoftwareCanvas::cell(int row, int column) const {
    if (row < 1 || column < 1 || row > rows_ || column > columns_) return TextCell{};
    return cells_[static_cast<std::size_t>(row - 1) * columns_ + (column - 1)];
}

// ---------------------------------------------------------------- text

void SoftwareCanvas::paint_cell(int row, int column, std::uint8_t character, int color) {
    if (row < 1 || column < 1 || row > rows_ || column > columns_) return;
    cells_[static_cast<std::size_t>(row - 1) * columns_ + (column - 1)] =
        TextCell{character, static_cast<std::uint8_t>(color & 15)};
    const int x0 = (column - 1) * cell_width_;
    const int y0 = (row - 1) * cell_height_;
    for (int dy = 0; dy < cell_height_; ++dy) {
        const std::uint8_t bits = dy < 16 ? CP437_FONT[character][dy] : 0;
        for (int dx = 0; dx < cell_width_; ++dx) {
            const bool on = dx < 8 && (bits & (0x80 >> dx)) != 0;
            set_pixel(x0 + dx, y0 + dy, on ? color : 0);
        }
    }
}

void SoftwareCanvas::blank_cell(int row, int column) {
    if (row < 1 || column < 1 || row > rows_ || column > columns_) return;
    cells_[static_cast<std::size_t>(row - 1) * columns_ + (column - 1)] = TextCell{};
    const int x0 = (column - 1) * cell_width_;
    const int y0 = (row - 1) * cell_height_;
    for (int dy = 0; dy < cell_height_; ++dy)
        for (int dx = 0; dx < cell_width_; ++dx) set_pixel(x0 + dx, y0 + dy, 0);
}

void SoftwareCanvas::copy_cell(int from_row, int to_row, int column) {
    cells_[static_cast<std::size_t>(to_row - 1) * columns_ + (column - 1)] =
        cells_[static_cast<std::size_t>(from_row - 1) * columns_ + (column - 1)];
    const int x0 = (column - 1) * cell_width_;
    for (int dy = 0; dy < cell_height_; ++dy)
        for (int dx = 0; dx < cell_width_; ++dx)
            set_pixel(x0 + dx, (to_row - 1) * cell_height_ + dy,
                      pixel(x0 + dx, (from_row - 1) * cell_height_ + dy));
}

void SoftwareCanvas::clear_screen() {
    std::fill(pixels_.begin(), pixels_.end(), 0);
    std::fill(cells_.begin(), cells_.end(), TextCell{});
}

void SoftwareCanvas::clear_viewport() {
    const PixelRect v = viewport_;
    for (int y = std::max(0, v.y1); y <= std::min(height_ - 1, v.y2); ++y)
        for (int x = std::max(0, v.x1); x <= std::min(width_ - 1, v.x2); ++x) set_pixel(x, y, 0);
    forget_text(v);  // the cells touched lose their text
}

void SoftwareCanvas::set_text_window(int top, int left, int bottom, int right) {
    top = std::clamp(top, 1, rows_);
    bottom = std::clamp(bottom, 1, rows_);
    left = std::clamp(left, 1, columns_);
    right = std::clamp(right, 1, columns_);
    if (bottom < top) std::swap(top, bottom);
    if (right < left) std::swap(left, right);
    window_ = TextWindow{top, left, bottom, right};
    row_ = column_ = 1;
}

void SoftwareCanvas::set_text_position(int row, int column) {
    const int height = window_.bottom - window_.top + 1;
    const int width = window_.right - window_.left + 1;
    row_ = std::clamp(row, 1, height);
    column_ = std::clamp(column, 1, width + 1);
}

int SoftwareCanvas::cursor_row() const { return window_.top + row_ - 1; }
int SoftwareCanvas::cursor_column() const { return window_.left + column_ - 1; }

void SoftwareCanvas::put_text(const std::string& text) {
    const int height = window_.bottom - window_.top + 1;
    const int width = window_.right - window_.left + 1;
    auto new_line = [&] {
        column_ = 1;
        if (row_ < height) {
            ++row_;
        } else {
            scroll_text_window(1);
        }
    };
    for (char c : text) {
        const auto character = static_cast<std::uint8_t>(c);
        if (character == '\n') {
            new_line();
            continue;
        }
        if (column_ > width) {
            if (!wrap_) continue;  // cut at the right edge of the window
            new_line();
        }
        paint_cell(window_.top + row_ - 1, window_.left + column_ - 1, character, text_color_);
        ++column_;
    }
}

void SoftwareCanvas::scroll_text_window(int lines) {
    const int height = window_.bottom - window_.top + 1;
    const int count = std::min(std::abs(lines), height);
    for (int step = 0; step < count; ++step) {
        if (lines > 0) {
            for (int r = window_.top; r < window_.bottom; ++r)
                for (int c = window_.left; c <= window_.right; ++c) copy_cell(r + 1, r, c);
            for (int c = window_.left; c <= window_.right; ++c) blank_cell(window_.bottom, c);
        } else {
            for (int r = window_.bottom; r > window_.top; --r)
                for (int c = window_.left; c <= window_.right; ++c) copy_cell(r - 1, r, c);
            for (int c = window_.left; c <= window_.right; ++c) blank_cell(window_.top, c);
        }
    }
}

// ---------------------------------------------------------------- drawing

void SoftwareCanvas::set_viewport(int x1, int y1, int x2, int y2) {
    if (x2 < x1) std::swap(x1, x2);
    if (y2 < y1) std::swap(y1, y2);
    x1 = std::clamp(x1, 0, width_ - 1);
    x2 = std::clamp(x2, 0, width_ - 1);
    y1 = std::clamp(y1, 0, height_ - 1);
    y2 = std::clamp(y2, 0, height_ - 1);
    viewport_ = PixelRect{x1, y1, x2, y2};
}

void SoftwareCanvas::set_window(bool invert_y, double wx1, double wy1, double wx2, double wy2) {
    window_set_ = true;
    invert_y_ = invert_y;
    wx1_ = wx1;
    wy1_ = wy1;
    wx2_ = wx2;
    wy2_ = wy2;
}

long long SoftwareCanvas::map_x(double wx) const {
    if (!window_set_) return to_pixel(wx);
    const double extent = viewport_.x2 - viewport_.x1;
    const double span = wx2_ - wx1_;
    if (span == 0 || !std::isfinite(span)) return 0;
    return to_pixel((wx - wx1_) * extent / span);
}

long long SoftwareCanvas::map_y(double wy) const {
    if (!window_set_) return to_pixel(wy);
    const double extent = viewport_.y2 - viewport_.y1;
    const double span = wy2_ - wy1_;
    if (span == 0 || !std::isfinite(span)) return 0;
    const double t = (wy - wy1_) / span;
    return to_pixel(invert_y_ ? extent - t * extent : t * extent);
}

void SoftwareCanvas::move_to(double wx, double wy) {
    pen_x_ = map_x(wx);
    pen_y_ = map_y(wy);
    pattern_phase_ = 0;
}

void SoftwareCanvas::line_to(double wx, double wy) {
    const long long x = map_x(wx), y = map_y(wy);
    draw_line(pen_x_, pen_y_, x, y);
    pen_x_ = x;
    pen_y_ = y;
}

// A line from (x0, y0) to (x1, y1) in viewport pixels, both ends included:
// along the major axis every step sets one pixel, the minor coordinate is the
// exact line rounded half up. Step i uses bit (15 - (phase + i) mod 16) of the
// pattern. Only the steps whose pixel can lie in the viewport are visited.
void SoftwareCanvas::draw_line(long long x0, long long y0, long long x1, long long y1) {
    const long long dx = x1 - x0, dy = y1 - y0;
    const bool x_major = std::llabs(dx) >= std::llabs(dy);
    const long long steps = x_major ? std::llabs(dx) : std::llabs(dy);
    const long long ox = viewport_.x1, oy = viewport_.y1;
    const long long vw = viewport_.x2 - viewport_.x1, vh = viewport_.y2 - viewport_.y1;

    // Range of steps whose major coordinate lies within the viewport.
    long long first = 0, last = steps;
    const long long major0 = x_major ? x0 : y0;
    const long long major_dir = x_major ? (dx >= 0 ? 1 : -1) : (dy >= 0 ? 1 : -1);
    const long long major_lo = 0, major_hi = x_major ? vw : vh;
    if (major_dir > 0) {
        first = std::max(first, major_lo - major0);
        last = std::min(last, major_hi - major0);
    } else {
        first = std::max(first, major0 - major_hi);
        last = std::min(last, major0 - major_lo);
    }
    const long long minor0 = x_major ? y0 : x0;
    const long long dminor = x_major ? dy : dx;
    for (long long i = first; i <= last; ++i) {
        const long long major = major0 + major_dir * i;
        long long minor = minor0;
        if (steps > 0) minor += floor_div(2 * i * dminor + steps, 2 * steps);
        const long long px = x_major ? major : minor;
        const long long py = x_major ? minor : major;
        const unsigned bit = 15u - static_cast<unsigned>((pattern_phase_ + i) % 16);
        if (px < 0 || py < 0 || px > vw || py > vh) continue;
        if ((pattern_ >> bit) & 1u) set_pixel(static_cast<int>(ox + px), static_cast<int>(oy + py), color_);
    }
    pattern_phase_ = static_cast<unsigned>((pattern_phase_ + steps + 1) % 16);
}

// ---------------------------------------------------------------- images

// Buffer layout: width and height as 16-bit little-endian numbers, then one
// byte per pixel, row by row from the top; then the text part: cell width
// and height, the offset of the first whole cell within the rectangle (x,
// y) and the number of whole cells across and down, six 16-bit numbers,
// followed by character and colour of each of those cells, row by row.
namespace {

constexpr std::size_t TEXT_HEADER = 12;

void put16(ImageBuffer& buffer, std::size_t at, long value) {
    buffer[at] = static_cast<std::uint8_t>(value & 0xFF);
    buffer[at + 1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
}

long get16(const ImageBuffer& buffer, std::size_t at) { return buffer[at] | (buffer[at + 1] << 8); }

bool is_blank(const TextCell& cell) { return cell.character == ' ' || cell.character == 0; }

// The whole cells of size `cell` within the pixels first..last: the index of
// the first one and how many.
void whole_cells(long first, long last, long cell, long limit, long& index, long& count) {
    index = first <= 0 ? 0 : (first + cell - 1) / cell;
    const long end = std::min((last + 1) / cell, limit);  // one past the last whole cell
    count = std::max(end - index, 0L);
}

}  // namespace

long SoftwareCanvas::image_size(int x1, int y1, int x2, int y2) const {
    const long w = std::labs(static_cast<long>(x2) - x1) + 1;
    const long h = std::labs(static_cast<long>(y2) - y1) + 1;
    return 4 + w * h + static_cast<long>(TEXT_HEADER) + 2 * (w / cell_width_) * (h / cell_height_);
}

void SoftwareCanvas::get_image(int x1, int y1, int x2, int y2, ImageBuffer& buffer) const {
    if (x2 < x1) std::swap(x1, x2);
    if (y2 < y1) std::swap(y1, y2);
    const long w = static_cast<long>(x2) - x1 + 1, h = static_cast<long>(y2) - y1 + 1;
    if (w > 0xFFFF || h > 0xFFFF) return;
    const auto size = static_cast<std::size_t>(image_size(x1, y1, x2, y2));
    if (buffer.size() < size) buffer.resize(size);
    put16(buffer, 0, w);
    put16(buffer, 2, h);
    const long ax = viewport_.x1 + static_cast<long>(x1), ay = viewport_.y1 + static_cast<long>(y1);
    std::size_t k = 4;
    for (long y = 0; y < h; ++y)
        for (long x = 0; x < w; ++x) buffer[k++] = pixel(static_cast<int>(ax + x), static_cast<int>(ay + y));

    long column = 0, columns = 0, row = 0, rows = 0;
    whole_cells(ax, ax + w - 1, cell_width_, columns_, column, columns);
    whole_cells(ay, ay + h - 1, cell_height_, rows_, row, rows);
    put16(buffer, k, cell_width_);
    put16(buffer, k + 2, cell_height_);
    put16(buffer, k + 4, column * cell_width_ - ax);
    put16(buffer, k + 6, row * cell_height_ - ay);
    put16(buffer, k + 8, columns);
    put16(buffer, k + 10, rows);
    k += TEXT_HEADER;
    for (long r = 0; r < rows; ++r) {
        for (long c = 0; c < columns; ++c) {
            const TextCell cell = this->cell(static_cast<int>(row + r + 1), static_cast<int>(column + c + 1));
            buffer[k++] = cell.character;
            buffer[k++] = cell.color;
        }
    }
}

void SoftwareCanvas::put_image(int x, int y, const ImageBuffer& buffer, ImageAction action) {
    if (buffer.size() < 4) return;
    const long w = get16(buffer, 0);
    const long h = get16(buffer, 2);
    if (w == 0 || h == 0 || buffer.size() < static_cast<std::size_t>(4 + w * h)) return;
    const long ax = viewport_.x1 + static_cast<long>(x), ay = viewport_.y1 + static_cast<long>(y);
    std::size_t k = 4;
    for (long row = 0; row < h; ++row) {
        for (long col = 0; col < w; ++col, ++k) {
            const long sx = ax + col;
            const long sy = ay + row;
            if (sx < 0 || sy < 0 || sx >= width_ || sy >= height_) continue;
            const int source = buffer[k] & 15;
            int value = source;
            switch (action) {
                case ImageAction::COPY: value = source; break;
                case ImageAction::INVERT: value = (~source) & 15; break;
                case ImageAction::OR: value = source | pixel(static_cast<int>(sx), static_cast<int>(sy)); break;
            }
            set_pixel(static_cast<int>(sx), static_cast<int>(sy), value);
        }
    }

    // The text part, used where its cells line up with the screen's.
    long first_column = 0, columns = 0, first_row = 0, rows = 0;
    const std::size_t text = k;
    if (buffer.size() >= text + TEXT_HEADER && get16(buffer, text) == cell_width_ &&
        get16(buffer, text + 2) == cell_height_) {
        const long cx = ax + get16(buffer, text + 4), cy = ay + get16(buffer, text + 6);
        columns = get16(buffer, text + 8);
        rows = get16(buffer, text + 10);
        const bool aligned = cx >= 0 && cy >= 0 && cx % cell_width_ == 0 && cy % cell_height_ == 0;
        if (!aligned || buffer.size() < text + TEXT_HEADER + 2 * static_cast<std::size_t>(columns * rows))
            columns = rows = 0;
        first_column = cx / cell_width_;
        first_row = cy / cell_height_;
    }
    // Every cell the pixels touched, 0-based.
    const long top = std::max(ay, 0L) / cell_height_, left = std::max(ax, 0L) / cell_width_;
    const long bottom = std::min(ay + h - 1, static_cast<long>(height_) - 1) / cell_height_;
    const long right = std::min(ax + w - 1, static_cast<long>(width_) - 1) / cell_width_;
    for (long r = top; r <= std::min(bottom, static_cast<long>(rows_) - 1); ++r) {
        for (long c = left; c <= std::min(right, static_cast<long>(columns_) - 1); ++c) {
            TextCell& screen = cells_[static_cast<std::size_t>(r) * columns_ + c];
            const long ir = r - first_row, ic = c - first_column;
            if (ir < 0 || ic < 0 || ir >= rows || ic >= columns) {
                if (action != ImageAction::OR) screen = TextCell{};
                continue;
            }
            const std::size_t at = text + TEXT_HEADER + 2 * static_cast<std::size_t>(ir * columns + ic);
            const TextCell saved{buffer[at], static_cast<std::uint8_t>(buffer[at + 1] & 15)};
            switch (action) {
                case ImageAction::COPY: screen = saved; break;
                case ImageAction::INVERT:
                    screen = TextCell{saved.character, static_cast<std::uint8_t>(~saved.color & 15)};
                    break;
                case ImageAction::OR:
                    if (is_blank(screen))
                        screen = saved;
                    else if (!is_blank(saved))
                        screen = TextCell{};
                    break;
            }
        }
    }
}

void SoftwareCanvas::forget_text(const PixelRect& area) {
    for (int row = 1; row <= rows_; ++row) {
        const int y0 = (row - 1) * cell_height_, y1 = row * cell_height_ - 1;
        if (y1 < area.y1 || y0 > area.y2) continue;
        for (int column = 1; column <= columns_; ++column) {
            const int x0 = (column - 1) * cell_width_, x1 = column * cell_width_ - 1;
            if (x1 < area.x1 || x0 > area.x2) continue;
            cells_[static_cast<std::size_t>(row - 1) * columns_ + (column - 1)] = TextCell{};
        }
    }
}
