#include "edit_plot_placeholder.h"

#include "graphics_surface.h"
#include "key_codes.h"
#include "plot_editor.h"
#include "screen_toolkit.h"

EditPlotCall& last_edit_plot_call() {
    static EditPlotCall call;
    return call;
}

void edit_plot(int kind, int reserved, int point_count, const float* re, const float* im,
               const float* f, int& format) {
    EditPlotCall& call = last_edit_plot_call();
    ++call.calls;
    call.kind = kind;
    call.reserved = reserved;
    call.point_count = point_count;
    call.re.assign(re, re + point_count);
    call.im.assign(im, im + point_count);
    call.f.assign(f, f + point_count);
    call.format = format;
    print_at(1, 41, COLOR_BRIGHT, "EDIT PLOT");
    draw_menu_bar(MenuLabels{"Help", "", "", "", "", "", "", "", "", "End"});
    for (;;) {
        int key = read_key();
        if ((key == keys::EXTENDED || key == keys::EXTENDED_E0) && read_key() == keys::F10) break;
        error_beep();
    }
    clear_line(1, 41);
}
