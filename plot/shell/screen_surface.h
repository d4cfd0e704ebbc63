// The plotter's screen: video modes, text and drawing. Everything in the
// plotter above this layer draws only through these functions; keys and
// tones go through keys_and_sound.h, files through surface_files.h.
//
// Text positions are 1-based (row, column) cells relative to the current
// text window. Pixel coordinates of drawing and images are relative to the
// upper-left corner of the current viewport. Colours are indices of the
// standard 16-colour VGA palette. Texts are code page 437 bytes.
#pragma once

#include <cstdint>
#include <string>

#include "surface_types.h"

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
