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
        const int scan = keys::is_extended(code) ? read_key() : 0;
        if (code == keys::ESC || scan == keys::F10) break;
        // F5, F6 and F7: the s-, y- and z-parameter menus.
        if (scan >= keys::F5 && scan <= keys::F7)
            parameter_menu(session, S_PARAMETERS + (scan - keys::F5), edit);
        else
            error_beep();
    }
    clear_line(1, 8);
}
