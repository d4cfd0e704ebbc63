#include "format_selection.h"

#include <array>

#include "key_codes.h"
#include "keys_and_sound.h"
#include "screen_toolkit.h"

namespace {

constexpr int CAPTION_COLUMN = 62;
constexpr int FORMAT_NAME_ROW = 15;
constexpr int SIDE_LINE_LENGTH = 16;

constexpr std::array<const char*, 5> FORMAT_NAMES{
    "Smith Chart", "Real & Imaginary", "Magnitude", "Phase", "Magnitude in dB"};

// The format code of the cell F1..F10 (index 0..9), -1 for none.
using CellCodes = std::array<int, 10>;

void select_format(int& format, const MenuLabels& labels, const CellCodes& codes) {
    print_at(1, CAPTION_COLUMN, COLOR_BRIGHT, "SELECT FORMAT");
    for (;;) {
        clear_work_area();
        draw_menu_bar(labels);
        int key = read_key();
        if (key == keys::ENTER || key == keys::ESC) break;
        if (keys::is_extended(key)) {
            int scan = read_key();
            if (scan == keys::F10) break;
            int cell = scan - keys::F1;
            if (cell >= 0 && cell < 10 && codes[cell] >= 0) {
                format = codes[cell];
                break;
            }
        }
        error_beep();
    }
    clear_line(1, CAPTION_COLUMN);
}

}  // namespace

std::string format_name(int format) {
    if (format < 0 || format >= static_cast<int>(FORMAT_NAMES.size())) return "";
    return FORMAT_NAMES[format];
}

void select_format_s(int& format) {
    select_format(format,
                  MenuLabels{"Help", "SmCht", "R&I", "Mag", "Phase", "MagdB", "", "", "", "End"},
                  CellCodes{-1, 0, 1, 2, 3, 4, -1, -1, -1, -1});
}

void select_format_yz(int& format) {
    select_format(format, MenuLabels{"Help", "", "R&I", "Mag", "Phase", "", "", "", "", "End"},
                  CellCodes{-1, -1, 1, 2, 3, -1, -1, -1, -1, -1});
}

void show_format_name(int format) {
    print_at(FORMAT_NAME_ROW, screen_layout().side_panel_column(), COLOR_NORMAL,
             blank_padded(format_name(format), SIDE_LINE_LENGTH));
}
