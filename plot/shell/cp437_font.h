// The 8 x 16 screen font: one bitmap per code page 437 character, one byte
// per pixel row, the most significant bit leftmost.
#pragma once

#include <cstdint>

extern const std::uint8_t CP437_FONT[256][16];
