#include "edit_plot_placeholder.h"

#include "key_codes.h"
#include "keys_and_sound.h"
#include "screen_toolkit.h"

PlotEditorCall edit_plot_placeholder(EditPlotCall& call) {
    return [&call](int kind, int point_count, const float* re, const float* im, const float* f,
                   int& format) {
        ++call.calls;
        call.kind = kind;
        call.point_count = point_count;
        call.re.assign(re, re + point_count);
        call.im.assign(im, im + point_count);
        call.f.assign(f, f + point_count);
        call.format = format;
        print_at(1, 41, COLOR_BRIGHT, "EDIT PLOT");
        draw_menu_bar(MenuLabels{"Help", "", "", "", "", "", "", "", "", "End"});
        for (;;) {
            int key = read_key();
            if ((key == keys::EXTENDED || key == keys::EXTENDED_E0) && read_key() == keys::F10)
                break;
            error_beep();
        }
        clear_line(1, 41);
    };
}
