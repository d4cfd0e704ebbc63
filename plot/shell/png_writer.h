// A small PNG writer: 8-bit RGB, stored (uncompressed) deflate blocks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// `rgb` holds width * height * 3 bytes, rows from the top. True on success.
bool write_png_rgb(const std::string& path, int width, int height,
                   const std::vector<std::uint8_t>& rgb);
