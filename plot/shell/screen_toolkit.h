// Screen layout, text at cells, the message line, yes/no questions, the
// function-key menu bar, clearing of areas and the three beeps.
#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "screen_layout.h"

// Fills the layout from the text rows and columns and the pixel size.
void compute_screen_layout(int pixel_width, int pixel_height, int columns, int rows);

enum : int {
    COLOR_GRID = 3,
    COLOR_NORMAL = 7,
    COLOR_BRIGHT = 15,
};

void locate(int row, int column);
void text_color(int color);
void print_at(int row, int column, int color, const std::string& text);
void clear_line(int row, int column);
void clear_work_area();
void clear_side_panel();
void show_message(const std::string& text);
bool ask_yes_no(const std::string& question);
using MenuLabels = std::array<std::string, 10>;
void draw_menu_bar(const MenuLabels& labels);
// Ten 6-character cells given as one 60-character string.
void draw_menu_bar(const std::string& sixty_characters);
void sound_beep(int duration_ms, int frequency_hz);
void set_plot_area(int first_column, int first_row, int last_column, int last_row);

// Fixed-length texts: the text without its trailing blanks; the text cut or
// padded with blanks to length characters.
std::string without_trailing_blanks(std::string text);
std::string blank_padded(std::string text, std::size_t length);

void error_beep();      // 1000 Hz: a key without an action
void boundary_beep();   // 500 Hz: a value at its limit
void rejection_beep();  // 250 Hz: a rejected number
