// Pixel-for-pixel comparison of the screen with stored reference pictures.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class HeadlessScreen;

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> rgb;  // 0xRRGGBB, rows top to bottom
};

// Reads an uncompressed BMP of 4, 8, 24 or 32 bits per pixel.
bool read_bmp(const std::string& path, Picture& picture, std::string& error);
bool write_bmp24(const std::string& path, const Picture& picture);

// Saves the screen as name.bmp and name.png in the working directory and
// compares it with the reference name.bmp. Returns an empty string when they
// agree; otherwise a description, and name_diff.bmp shows the differing
// pixels in red over a dimmed copy of the new picture. With the environment
// variable MTL_UPDATE_REFERENCE=1 the reference is replaced instead.
std::string compare_with_reference(const HeadlessScreen& screen, const std::string& name);
