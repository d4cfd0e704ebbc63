#include "render_plots.h"

#include <fstream>
#include <memory>
#include <sstream>

#include "headless_screen.h"
#include "parameter_loading.h"
#include "parameter_menu.h"
#include "plot_editor.h"
#include "plot_session.h"
#include "plotter_startup.h"
#include "rect_hpgl_stream.h"
#include "screen_toolkit.h"
#include "smith_hpgl_stream.h"
#include "svg_from_hpgl.h"
#include "table_report_lines.h"

namespace {

struct Failure {
    std::string message;
};

// The screen up to the plot editor, as the menus leave it: start-up, main
// menu, the kind's menu with the file loaded and the element and format
// chosen; then the editor with the plot, the title typed with F4 and the
// grid switched with Insert.
void draw_screen(PlotSession& session, int kind, const RenderRequest& request,
                 const RenderTarget& target) {
    print_at(1, 1, COLOR_BRIGHT, "VORDAN");
    show_main_menu();
    ParameterKindState& state = session.kind(kind);
    state.i = target.i;
    state.j = target.j;
    state.format = target.format;
    show_parameter_menu(session, kind);
    const int points = take_element_sweep(session, kind);
    clear_line(screen_layout().message_row(), 1);
    const ElementSweep& element = session.element;
    session.plot = PlotState{};
    PlotState& plot = session.plot;
    plot.log_frequency = request.log_frequency;
    const std::string failure = open_plot_editor(plot, kind, points, element.re.data(),
                                                 element.im.data(), element.f.data(), target.format);
    if (!failure.empty()) throw Failure{failure};
    if (!request.title.empty()) {
        plot.title = blank_padded(request.title, TITLE_LENGTH);
        show_plot_title(plot);
    }
    if (request.admittance && target.format == SMITH_CHART) {
        plot.smith_grid_sign = -1.0f;
        redraw_plot(plot, target.format);
    }
}

void write_text(const std::string& path, const std::string& text, const std::string& cannot_open,
                const std::string& write_failed) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) throw Failure{cannot_open + path};
    out << text;
    out.close();
    if (!out) throw Failure{write_failed + path};
}

std::string hpgl_of(const PlotState& plot, int format) {
    std::ostringstream out;
    if (format == SMITH_CHART)
        write_smith_hpgl_stream(plot, out);
    else
        write_rect_hpgl_stream(plot, out);
    return out.str();
}

void write_picture(const HeadlessScreen& screen, const PlotState& plot, const RenderTarget& t) {
    switch (t.type) {
        case PictureType::PNG:
            if (!screen.save_png(t.path)) throw Failure{"Error writing picture file " + t.path};
            return;
        case PictureType::BMP:
            if (!screen.save_bmp(t.path)) throw Failure{"Error writing bitmap file " + t.path};
            return;
        case PictureType::HPGL:
            write_text(t.path, hpgl_of(plot, t.format), "Cannot open GL file ",
                       "Error writing GL file ");
            return;
        case PictureType::SVG:
            write_text(t.path, svg_from_hpgl(hpgl_of(plot, t.format)), "Cannot open SVG file ",
                       "Error writing SVG file ");
            return;
        case PictureType::TABLE: {
            // The table chooses its own prefixes, on a copy.
            const auto table = std::make_unique<PlotState>(plot);
            scale_table_axes(*table);
            std::ostringstream out;
            write_table_lines(*table, out);
            write_text(t.path, out.str(), "Cannot open table file ", "Error writing table to file ");
            return;
        }
    }
}

}  // namespace

int render_plots(const RenderRequest& request, std::ostream& err) {
    const auto session = std::make_unique<PlotSession>();
    const int kind = request.kind;
    try {
        const std::string failure = read_parameter_sweep(*session, kind, request.file);
        if (!failure.empty()) throw Failure{failure};
        const ParameterKindState& state = session->kind(kind);
        for (const RenderTarget& target : request.targets) {
            if (target.i > state.port_count || target.j > state.port_count)
                throw Failure{request.file + " has " + std::to_string(state.port_count) +
                              " ports: no element (" + std::to_string(target.i) + "," +
                              std::to_string(target.j) + ") for " + target.path};
            HeadlessScreen screen(true);
            draw_screen(*session, kind, request, target);
            write_picture(screen, session->plot, target);
        }
    } catch (const Failure& failure) {
        err << "mtlplot: " << failure.message << '\n';
        return 1;
    }
    return 0;
}
