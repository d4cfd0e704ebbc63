// PNG files of 8-bit RGB pictures, written with libpng.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// `rgb` holds width * height * 3 bytes, rows from the top. True on success.
bool write_png_rgb(const std::string& path, int width, int height,
                   const std::vector<std::uint8_t>& rgb);

// Reads a PNG file as 8-bit RGB; false when it cannot be read.
bool read_png_rgb(const std::string& path, int& width, int& height, std::vector<std::uint8_t>& rgb);
