#include "key_codes.h"
#include "keys_and_sound.h"
#include "parameter_menu.h"
#include "plotter_startup.h"
#include "screen_toolkit.h"

namespace {

const MenuLabels MAIN_MENU{"Help", "", "", "", "sPar", "yPar", "zPar", "", "", "End"};

}  // namespace

void show_main_menu() {
    print_at(1, 8, COLOR_BRIGHT, "PLOT OUTPUT");
    clear_side_panel();
    clear_work_area();
    draw_menu_bar(MAIN_MENU);
}

void main_menu(PlotSession& session, const PlotEditorCall& edit) {
    print_at(1, 8, COLOR_BRIGHT, "PLOT OUTPUT");
    clear_side_panel();
    for (;;) {
        clear_work_area();
        draw_menu_bar(MAIN_MENU);
        const int code = read_key();
        if (keys::is_extended(code)) {
            const int scan = read_key();
            if (scan == keys::F5) {
                parameter_menu(session, 1, edit);
            } else if (scan == keys::F6) {
                parameter_menu(session, 2, edit);
            } else if (scan == keys::F7) {
                parameter_menu(session, 3, edit);
            } else if (scan == keys::F10) {
                break;
            } else {
                error_beep();
            }
        } else if (code == keys::ESC) {
            break;
        } else {
            error_beep();
        }
    }
    clear_line(1, 8);
}
