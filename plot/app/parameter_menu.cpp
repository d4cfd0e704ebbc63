#include "parameter_menu.h"

#include <algorithm>

#include "engineering_notation.h"
#include "file_chooser.h"
#include "fixed_fields.h"
#include "format_selection.h"
#include "key_codes.h"
#include "keys_and_sound.h"
#include "parameter_data.h"
#include "parameter_loading.h"
#include "plot_state.h"
#include "port_index_selection.h"
#include "screen_toolkit.h"

namespace {

constexpr int CAPTION_COLUMN = 20;
constexpr int STATUS_LINE_LENGTH = 16;
constexpr int PORTS_ROW = 5;
constexpr int FSTART_ROW = 8;
constexpr int FSTOP_ROW = 9;
constexpr int STEPS_ROW = 10;
constexpr int ELEMENT_ROW = 16;

std::string status_line(const std::string& text) { return blank_padded(text, STATUS_LINE_LENGTH); }

void show_caption(int kind) {
    print_at(1, CAPTION_COLUMN, COLOR_BRIGHT, parameter_kind_info(kind).caption);
}

void draw_parameter_menu_bar() {
    draw_menu_bar(MenuLabels{"Help", "PltOut", "PltSav", "", "", "Index", "", "Format", "Plot",
                             "End"});
}

void plot(PlotSession& session, int kind, const PlotEditorCall& edit) {
    const int points = take_element_sweep(session, kind);
    const ElementSweep& element = session.element;
    clear_line(screen_layout().message_row(), 1);
    edit(kind, points, element.re.data(), element.im.data(), element.f.data(),
         session.kind(kind).format);
    show_caption(kind);
}

}  // namespace

int take_element_sweep(PlotSession& session, int kind) {
    ParameterKindState& state = session.kind(kind);
    if (state.i > state.port_count || state.i < 1) state.i = 1;
    if (state.j > state.port_count || state.j < 1) state.j = 1;
    const portfiles::PortSweep& sweep = session.sweep;
    // Nothing of a sweep that does not hold the element (not loaded).
    const bool held = state.i <= sweep.port_count && state.j <= sweep.port_count;
    const int points = held ? std::min(state.steps + 1, static_cast<int>(sweep.points())) : 0;
    ElementSweep& element = session.element;
    element.f.resize(static_cast<std::size_t>(points));
    element.re.resize(element.f.size());
    element.im.resize(element.f.size());
    for (std::size_t k = 0; k < element.f.size(); ++k) {
        const std::complex<double> value = sweep.at(k, state.i - 1, state.j - 1);
        element.f[k] = static_cast<float>(sweep.frequencies[k]);
        element.re[k] = static_cast<float>(value.real());
        element.im[k] = static_cast<float>(value.imag());
    }
    return points;
}

void show_parameter_menu(const PlotSession& session, int kind) {
    show_caption(kind);
    clear_work_area();
    draw_parameter_menu_bar();
    if (session.kind(kind).loaded)
        show_parameter_status(session, kind);
    else
        clear_side_panel();
}

std::string frequency_status_line(const std::string& label, float frequency) {
    char prefix = ' ';
    float scale = 1.0f;
    choose_prefix(frequency, prefix, scale, false);
    const std::string number = format_number(6, frequency, scale, prefix);
    return status_line(label + number.substr(1, 5) + " " + prefix + "Hz");
}

void show_parameter_status(const PlotSession& session, int kind) {
    const ParameterKindState& state = session.kind(kind);
    const int column = screen_layout().side_panel_column();
    print_at(PORTS_ROW, column, COLOR_NORMAL,
             status_line("Ports     " + fields::format_iw(state.port_count, 2)));
    print_at(FSTART_ROW, column, COLOR_NORMAL,
             frequency_status_line("fstart=", state.start_frequency));
    print_at(FSTOP_ROW, column, COLOR_NORMAL,
             frequency_status_line("fstop= ", state.stop_frequency));
    print_at(STEPS_ROW, column, COLOR_NORMAL,
             status_line("nf " + fields::format_iw(state.steps, 4)));
    show_format_name(state.format);
    print_at(ELEMENT_ROW, column, COLOR_NORMAL,
             status_line(std::string(1, parameter_kind_info(kind).letter) + "(" +
                         fields::format_iw(state.i, 2) + "," + fields::format_iw(state.j, 2) +
                         ")"));
}

void parameter_menu(PlotSession& session, int kind, const PlotEditorCall& edit) {
    if (kind < S_PARAMETERS || kind > Z_PARAMETERS) return;
    const ParameterKindInfo& info = parameter_kind_info(kind);
    ParameterKindState& state = session.kind(kind);
    show_caption(kind);
    clear_work_area();
    state.loaded = false;
    for (;;) {
        draw_parameter_menu_bar();
        if (state.loaded)
            show_parameter_status(session, kind);
        else
            clear_side_panel();
        const int key = read_key();
        if (key == keys::ESC) {
            if (ask_yes_no("Exit")) break;
            continue;
        }
        if (!keys::is_extended(key)) {
            error_beep();
            continue;
        }
        const int scan = read_key();
        if (scan == keys::F10) break;
        switch (scan) {
            case keys::F2:
                state.file_name = info.default_file;
                state.file_name.resize(FILE_NAME_LENGTH, ' ');
                load_parameter_file(session, kind);
                break;
            case keys::F3:
                choose_file(info.saved_extension, state.file_name, state.loaded, "LOAD",
                            session.chooser_position);
                if (state.loaded) load_parameter_file(session, kind);
                break;
            case keys::F6:
                if (!state.loaded)
                    show_message("Cannot select indices before a file is selected");
                else
                    select_port_indices(info.letter, state.i, state.j, state.port_count);
                break;
            case keys::F8:
                if (kind == S_PARAMETERS)
                    select_format_s(state.format);
                else
                    select_format_yz(state.format);
                break;
            case keys::F9:
                if (!state.loaded)
                    show_message("Cannot plot before a file is selected");
                else
                    plot(session, kind, edit);
                break;
            default: error_beep(); break;
        }
    }
    clear_line(1, CAPTION_COLUMN);
    clear_side_panel();
}
