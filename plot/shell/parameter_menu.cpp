// Placeholder parameter menu: its caption over an empty screen; F10 or Esc
// leaves, every other key beeps.
#include "parameter_menu.h"

#include "graphics_surface.h"
#include "key_codes.h"
#include "screen_toolkit.h"

void parameter_menu(int kind) {
    static const char* const CAPTIONS[] = {"s PARAMETERS", "y PARAMETERS", "z PARAMETERS"};
    if (kind < 1 || kind > 3) return;
    print_at(1, 20, COLOR_BRIGHT, CAPTIONS[kind - 1]);
    for (;;) {
        clear_work_area();
        draw_menu_bar(MenuLabels{"Help", "", "", "", "", "", "", "", "", "End"});
        const int code = read_key();
        if (code == keys::EXTENDED || code == keys::EXTENDED_E0) {
            if (read_key() == keys::F10) break;
        } else if (code == keys::ESC) {
            break;
        }
        error_beep();
    }
    clear_line(1, 20);
}
