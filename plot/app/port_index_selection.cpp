#include "port_index_selection.h"

#include "fixed_fields.h"
#include "key_codes.h"
#include "keys_and_sound.h"
#include "screen_toolkit.h"

namespace {

constexpr int CAPTION_COLUMN = 41;
const char* const CAPTION = "SELECT PORT INDICES";

void show_indices(char letter, int a, int b, bool first_active) {
    const int row = screen_layout().message_row() - 1;
    print_at(row, 1, COLOR_NORMAL, std::string(1, letter) + "(  ,  )");
    print_at(row, 3, first_active ? COLOR_BRIGHT : COLOR_NORMAL, fields::format_iw(a, 2));
    print_at(row, 6, first_active ? COLOR_NORMAL : COLOR_BRIGHT, fields::format_iw(b, 2));
}

void leave_index_screen() {
    clear_line(1, CAPTION_COLUMN);
    clear_line(screen_layout().message_row() - 1, 1);
}

}  // namespace

void select_port_indices(char letter, int& i, int& j, int n) {
    if (n <= 1) {
        i = j = 1;
        error_beep();
        leave_index_screen();
        return;
    }
    print_at(1, CAPTION_COLUMN, COLOR_BRIGHT, CAPTION);
    int a = (i > n || i < 1) ? 1 : i;
    int b = (j > n || j < 1) ? 1 : j;
    bool first_active = true;
    draw_menu_bar(MenuLabels{"Help", "", "", "1st", "2nd", "", "", "", "", "End"});
    for (;;) {
        show_indices(letter, a, b, first_active);
        int key = read_key();
        if (key == keys::ENTER || key == keys::ESC) break;
        if (!keys::is_extended(key)) {
            error_beep();
            continue;
        }
        int scan = read_key();
        if (scan == keys::F10) break;
        if (scan == keys::F4) {
            first_active = true;
        } else if (scan == keys::F5) {
            first_active = false;
        } else if (scan == keys::RIGHT || scan == keys::LEFT) {
            // Right reaches the second index, Left the first; nothing else.
            const bool to_first = scan == keys::LEFT;
            if (first_active == to_first)
                error_beep();
            else
                first_active = to_first;
        } else {
            IndexStep step = step_port_index(first_active ? a : b, scan, n);
            if (step == IndexStep::AT_LIMIT) boundary_beep();
            if (step == IndexStep::NO_ACTION) error_beep();
        }
    }
    i = a;
    j = b;
    leave_index_screen();
}
