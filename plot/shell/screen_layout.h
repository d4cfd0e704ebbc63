// Where things stand on the plotter's screen: rows and columns, the plot
// area in text cells and pixels, and the rows of caption, work area,
// message and menu bar. The layout belongs to the graphics surface and
// starts afresh with it.
#pragma once

struct ScreenLayout {
    int rows = 30;     // R
    int columns = 80;  // C
    int cell_width = 8;
    int cell_height = 16;
    // Plot area in text cells and in pixels, and the bytes needed to save it.
    int plot_first_column = 1;
    int plot_first_row = 2;
    int plot_last_column = 64;
    int plot_last_row = 25;
    int plot_x1 = 0;
    int plot_y1 = 16;
    int plot_x2 = 511;
    int plot_y2 = 399;
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
