#include "plot_editor.h"

#include <string>

#include "change_scale.h"
#include "diagram_drawers.h"
#include "format_selection.h"
#include "key_codes.h"
#include "keys_and_sound.h"
#include "plot_setup.h"
#include "plot_state.h"
#include "screen_surface.h"
#include "screen_toolkit.h"

namespace {

constexpr const char* EDITOR_MENU = "Help  Scale FormatTitle       Memo  Table GL    BMP   End   ";

// What the editor does before it reads the next key: nothing, show the menu
// bar, draw the diagram again, or set the plot up anew from the sweep.
enum class Next { KEY, MENU, DRAW, SET_UP, EXIT };

void draw(PlotState& s, int format) {
    s.diagram_on_screen = DiagramKind::NONE;
    if (format == SMITH_CHART) {
        draw_smith_chart(s);
        s.diagram_on_screen = DiagramKind::SMITH;
    } else {
        draw_rectangular(s);
        s.diagram_on_screen = DiagramKind::RECTANGULAR;
    }
    const ScreenLayout& layout = screen_layout();
    set_viewport(layout.plot_pixels.x1, layout.plot_pixels.y1, layout.plot_pixels.x2,
                 layout.plot_pixels.y2);
}

// The format's name on the side panel, the plot set up from the sweep and
// drawn; the message of a failed set-up.
std::string set_up_and_draw(PlotState& s, int kind, int format, int point_count, const float* re,
                            const float* im, const float* f) {
    show_format_name(format);
    const std::string failure = set_up_plot(s, kind, format, point_count, re, im, f);
    if (failure.empty()) draw(s, format);
    return failure;
}

Next handle_extended(PlotState& s, PlotEditorOutputs& out, int code, int kind, int& format) {
    const bool rectangular = s.diagram_on_screen == DiagramKind::RECTANGULAR;
    const bool smith = s.diagram_on_screen == DiagramKind::SMITH;
    switch (code) {
        case keys::F2:
            if (!rectangular) break;
            change_scale(s);
            return Next::DRAW;
        case keys::F3:
            if (kind == S_PARAMETERS)
                select_format_s(format);
            else
                select_format_yz(format);
            return Next::SET_UP;
        case keys::F4:
            out.change_title(s);
            return Next::MENU;
        case keys::F6:
            out.store_recall();
            return Next::MENU;
        case keys::F7:
            if (smith) break;
            out.write_table_report(s);
            return Next::MENU;
        case keys::F8:
            if (smith)
                out.write_smith_hpgl(s);
            else
                out.write_rect_hpgl(s);
            return Next::MENU;
        case keys::F9:
            out.write_bitmap_file(false);
            return Next::MENU;
        case keys::SHIFT_F9:
        case keys::CTRL_F9:
        case keys::ALT_F9:
            out.write_bitmap_file(true);
            return Next::MENU;
        case keys::F10:
            return Next::EXIT;
        case keys::INSERT:
            if (!smith) break;
            s.smith_grid_sign = -s.smith_grid_sign;
            return Next::DRAW;
        default:
            break;
    }
    error_beep();
    return Next::MENU;
}

}  // namespace

std::string open_plot_editor(PlotState& s, int kind, int point_count, const float* re,
                             const float* im, const float* f, int format) {
    print_at(1, 41, COLOR_BRIGHT, "EDIT PLOT");
    clear_work_area();
    if (point_count <= 1) return MSG_TOO_FEW_POINTS;
    s.point_count = point_count;
    s.title.assign(TITLE_LENGTH, ' ');
    const std::string failure = set_up_and_draw(s, kind, format, point_count, re, im, f);
    if (failure.empty()) draw_menu_bar(EDITOR_MENU);
    return failure;
}

void show_plot_title(const PlotState& s) {
    const ScreenLayout& layout = screen_layout();
    print_at(layout.plot_cells.top, layout.plot_cells.left, COLOR_NORMAL, s.title);
}

void redraw_plot(PlotState& s, int format) {
    draw(s, format);
    draw_menu_bar(EDITOR_MENU);
}

void edit_plot(PlotState& s, PlotEditorOutputs& outputs, int kind, int point_count,
               const float* re, const float* im, const float* f, int& format) {
    const std::string opening = open_plot_editor(s, kind, point_count, re, im, f, format);
    if (!opening.empty()) show_message(opening);
    Next next = opening.empty() ? Next::KEY : Next::EXIT;
    while (next != Next::EXIT) {
        if (next == Next::SET_UP) {
            const std::string failure = set_up_and_draw(s, kind, format, point_count, re, im, f);
            if (!failure.empty()) {
                show_message(failure);
                break;
            }
        } else if (next == Next::DRAW) {
            draw(s, format);
        }
        if (next != Next::KEY) draw_menu_bar(EDITOR_MENU);
        const int key = read_key();
        if (key == keys::EXTENDED || key == keys::EXTENDED_E0) {
            next = handle_extended(s, outputs, read_key(), kind, format);
        } else if (key == keys::ESC) {
            next = Next::EXIT;
        } else {
            error_beep();
            next = Next::SET_UP;
        }
    }
    clear_line(1, 41);
}
