// The plotter's screen, keyboard, sound and directory operations. Everything
// in the plotter above this layer draws, reads keys, beeps and looks for
// files only through these functions.
//
// Text positions are 1-based (row, column) cells relative to the current
// text window. Pixel coordinates of drawing and images are relative to the
// upper-left corner of the current viewport. Colours are indices of the
// standard 16-colour VGA palette. Texts are code page 437 bytes.
#pragma once

#include <cstdint>
#include <string>
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

enum class ClearArea { SCREEN, VIEWPORT };
enum class ImageAction { COPY, INVERT, OR };

// An image saved with get_image; its size is image_size of the rectangle.
using ImageBuffer = std::vector<std::uint8_t>;

// Screen mode and text. Both mode setters return non-zero on success.
int set_video_mode(int mode);
int set_video_mode_rows(int mode, int rows);
VideoConfig get_video_config();
void clear_screen(ClearArea area);
void set_text_position(int row, int col);
void put_text(const std::string& text);
void set_text_color(int color);
void show_text_cursor(bool on);
void set_text_wrap(bool on);
void set_text_window(int top, int left, int bottom, int right);
TextWindow get_text_window();
void scroll_text_window(int lines);  // +1 scrolls up one row, -1 down
// A plain console line (text mode), for the messages of a failed start.
void write_console_line(const std::string& text);

// Drawing.
void set_viewport(int x1, int y1, int x2, int y2);
void set_window(bool invert_y, double wx1, double wy1, double wx2, double wy2);
void move_to(double wx, double wy);
void line_to(double wx, double wy);
void set_color(int color);
void set_line_style(std::uint16_t pattern);  // 0xFFFF solid, 0x3030 dashed

// Images (viewport-relative pixel rectangles).
long image_size(int x1, int y1, int x2, int y2);
// Obtains a buffer of `size` bytes; false when no memory can be had.
bool obtain_image_buffer(ImageBuffer& buffer, long size);
void release_image_buffer(ImageBuffer& buffer);
void get_image(int x1, int y1, int x2, int y2, ImageBuffer& buffer);
void put_image(int x, int y, const ImageBuffer& buffer, ImageAction action);

// Bitmap files: 0 on success; load_bitmap is negative on failure.
int save_bitmap(const std::string& file, int x1, int y1, int x2, int y2);
int load_bitmap(const std::string& file, int x, int y);

// Stroke fonts: number of fonts registered, negative on failure.
int register_fonts(const std::string& file);

// Keyboard and sound.
int read_key();  // waits; 0 or 0xE0 announce an extended key
bool key_waiting();
void beep(int frequency_hz, int duration_ms);

// Directory services, in the working directory. Names are matched without
// regard to case, so "spar.dat" finds SPAR.DAT.
std::string find_file(const std::string& name);  // full path, empty when absent
bool delete_file(const std::string& name);        // true when a file was deleted
// Next name matching pattern ("*.bmp"); returns its length, 0 when no more.
// The handle starts at -1 and becomes -2 when the search is exhausted.
int next_file_info(const std::string& pattern, int& handle, std::string& name);
