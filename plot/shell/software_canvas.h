// The picture behind the graphics surface: an indexed-colour pixel array
// with text cells, a text window, a clipping viewport with a real-valued
// window mapping, patterned lines and pixel images. Presenters show it;
// nothing above the surface sees it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "surface_types.h"

struct TextCell {
    std::uint8_t character = ' ';
    std::uint8_t color = 0;
};

class SoftwareCanvas {
public:
    SoftwareCanvas() { reset(640, 480, 80, 30); }

    // New picture size; everything is cleared and every setting returns to
    // its default (full-screen text window and viewport, no window mapping,
    // text colour 7, drawing colour 15, solid lines, wrap on, cursor on).
    void reset(int width, int height, int columns, int rows);

    int width() const { return width_; }
    int height() const { return height_; }
    int columns() const { return columns_; }
    int rows() const { return rows_; }
    int cell_width() const { return cell_width_; }
    int cell_height() const { return cell_height_; }

    // Absolute pixels; reading outside gives 0, writing outside is ignored.
    std::uint8_t pixel(int x, int y) const;
    void set_pixel(int x, int y, int color);
    const std::vector<std::uint8_t>& pixels() const { return pixels_; }
    // Absolute 1-based cells; outside the screen a blank cell.
    TextCell cell(int row, int column) const;

    // Text.
    void clear_screen();
    void clear_viewport();
    void set_text_window(int top, int left, int bottom, int right);
    TextWindow text_window() const { return window_; }
    void set_text_position(int row, int column);  // relative to the text window
    void put_text(const std::string& text);
    void set_text_color(int color) { text_color_ = color & 15; }
    int text_color() const { return text_color_; }
    void set_wrap(bool on) { wrap_ = on; }
    void set_cursor_visible(bool on) { cursor_visible_ = on; }
    bool cursor_visible() const { return cursor_visible_; }
    int cursor_row() const;     // absolute
    int cursor_column() const;  // absolute
    void scroll_text_window(int lines);

    // Drawing.
    void set_viewport(int x1, int y1, int x2, int y2);
    PixelRect viewport() const { return viewport_; }
    void set_window(bool invert_y, double wx1, double wy1, double wx2, double wy2);
    void move_to(double wx, double wy);
    void line_to(double wx, double wy);
    void set_color(int color) { color_ = color & 15; }
    int color() const { return color_; }
    void set_line_style(std::uint16_t pattern) {
        pattern_ = pattern;
        pattern_phase_ = 0;
    }

    // Images, viewport-relative. An image holds the rectangle's pixels and
    // the text cells lying wholly inside it. Put back where cells line up,
    // those cells take the image's text (a plain copy), its text in
    // complemented colours (an inverted copy) or, laid over with OR, the
    // image's text where the screen cell is blank and no text where both
    // hold some. Other cells whose pixels a copy replaces lose their text.
    long image_size(int x1, int y1, int x2, int y2) const;
    void get_image(int x1, int y1, int x2, int y2, ImageBuffer& buffer) const;
    void put_image(int x, int y, const ImageBuffer& buffer, ImageAction action);

    // Cells touched by the absolute pixel rectangle lose their text (their
    // pixels were drawn over).
    void forget_text(const PixelRect& area);

private:
    void paint_cell(int row, int column, std::uint8_t character, int color);
    void blank_cell(int row, int column);
    void copy_cell(int from_row, int to_row, int column);
    // Viewport-relative pixel position of a window coordinate.
    long long map_x(double wx) const;
    long long map_y(double wy) const;
    void draw_line(long long x0, long long y0, long long x1, long long y1);

    int width_ = 0, height_ = 0, columns_ = 0, rows_ = 0;
    int cell_width_ = 8, cell_height_ = 16;
    std::vector<std::uint8_t> pixels_;
    std::vector<TextCell> cells_;

    TextWindow window_;
    int row_ = 1, column_ = 1;  // cursor, relative to the text window
    int text_color_ = 7;
    bool wrap_ = true;
    bool cursor_visible_ = true;

    PixelRect viewport_;
    bool window_set_ = false;
    bool invert_y_ = false;
    double wx1_ = 0, wy1_ = 0, wx2_ = 1, wy2_ = 1;
    long long pen_x_ = 0, pen_y_ = 0;
    int color_ = 15;
    std::uint16_t pattern_ = 0xFFFF;
    unsigned pattern_phase_ = 0;
};
