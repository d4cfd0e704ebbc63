// BMP files of canvas rectangles: 4 bits per pixel, the 16-colour VGA
// palette, bottom row first, rows padded to four bytes.
#pragma once

#include <string>

class SoftwareCanvas;
struct PixelRect;

// Writes the absolute pixel rectangle (x1, y1)-(x2, y2); 0 on success,
// negative when the file cannot be written in full.
int write_bmp_image(const SoftwareCanvas& canvas, const std::string& path, int x1, int y1, int x2,
                    int y2);

// Draws the picture of a BMP file with its upper-left corner at the absolute
// pixel (x, y), clipped to the absolute rectangle clip (the viewport, as
// all drawing). The file must have 4 bits per pixel, no compression and fit
// the screen; its palette entries are shown as the nearest VGA colours.
// Returns 0, or a negative status (nothing drawn).
int draw_bmp_file(SoftwareCanvas& canvas, const std::string& path, int x, int y,
                  const PixelRect& clip);
