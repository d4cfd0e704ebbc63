// Where things stand on the plotter's screen: rows and columns, the plot
// area in text cells and pixels, and the rows of caption, work area,
// message and menu bar. The layout belongs to the graphics surface and
// starts afresh with it.
#pragma once

#include "surface_types.h"

struct ScreenLayout {
    int rows = 30;     // R
    int columns = 80;  // C
    int cell_width = 8;
    int cell_height = 16;
    // Plot area in text cells and in pixels, and the bytes needed to save it.
    TextWindow plot_cells{2, 1, 25, 64};  // top, left, bottom, right
    PixelRect plot_pixels{0, 16, 511, 399};
    long plot_save_size = 0;
    bool computed = false;  // set by compute_screen_layout

    int caption_row() const { return 1; }
    int side_panel_column() const { return columns - 15; }
    int work_area_first_row() const { return rows - 4; }
    int message_row() const { return rows - 1; }
    int menu_row() const { return rows; }
};

// The layout of the screen in use.
ScreenLayout& screen_layout();
