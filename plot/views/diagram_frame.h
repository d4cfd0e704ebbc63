// What the two diagrams share: the plot area in text cells and the line
// patterns of the graphics surface.
#pragma once

#include <cstdint>

#include "screen_toolkit.h"

constexpr std::uint16_t SOLID = 0xFFFF;
constexpr std::uint16_t DASHED = 0x3030;

struct TextCells {
    int left, top, right, bottom;
};

inline TextCells plot_area_cells() {
    const ScreenLayout& l = screen_layout();
    return {l.plot_cells.left, l.plot_cells.top, l.plot_cells.right, l.plot_cells.bottom};
}
