// The values the graphics surface, its canvas and its presenters exchange:
// video modes and configurations, text windows, pixel rectangles and saved
// images.
#pragma once

#include <cstdint>
#include <vector>

// Video modes accepted by set_video_mode and set_video_mode_rows.
constexpr int VIDEO_TEXT_80 = 2;          // 80-column text mode
constexpr int VIDEO_VGA_640X480 = 18;     // 640 x 480 pixels, 16 colours
constexpr int VIDEO_MAX_RESOLUTION = -3;  // the highest-resolution graphics mode
constexpr int VIDEO_DEFAULT_MODE = -1;    // the mode found at program start

struct VideoConfig {
    int pixel_width = 0;
    int pixel_height = 0;
    int text_columns = 0;
    int text_rows = 0;
    int colors = 0;
    int bits_per_pixel = 0;
    int mode = 0;
};

struct TextWindow {
    int top = 1;
    int left = 1;
    int bottom = 1;
    int right = 1;
};

// A rectangle of pixels, both corners included.
struct PixelRect {
    int x1 = 0;
    int y1 = 0;
    int x2 = -1;
    int y2 = -1;
    bool empty() const { return x2 < x1 || y2 < y1; }
};

enum class ClearArea { SCREEN, VIEWPORT };
enum class ImageAction { COPY, INVERT, OR };

// An image saved with get_image; its size is image_size of the rectangle.
using ImageBuffer = std::vector<std::uint8_t>;
