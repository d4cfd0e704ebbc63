#include "rect_hpgl_stream.h"

#include <algorithm>
#include <memory>

#include "engineering_notation.h"
#include "hpgl_glyphs.h"
#include "hpgl_stream.h"
#include "log_axis_drawing.h"
#include "rectangular_layout.h"

namespace {

// Margins around the data frame in cells of the text grid.
struct Margins {
    int left, right, bottom, top;
};
constexpr Margins MARGIN{8, 0, 3, 5};
// Curve coordinates are limited to this range so that they fit their fields.
constexpr float COORDINATE_LIMIT = 32000.0f;

// Data coordinates mapped onto 2000 user units per axis, centred on 0.
struct RectMapping {
    float xmin, xmax, ymin, ymax;
    float xc, yc, kx, ky, cx, cy;

    // x from x_min to x_max: the state's range, or its log10 on a
    // logarithmic frequency axis.
    RectMapping(const PlotState& s, float x_min, float x_max)
        : xmin(x_min), xmax(x_max), ymin(s.y_min), ymax(s.y_max) {
        xc = (xmin + xmax) / 2.0f;
        yc = (ymin + ymax) / 2.0f;
        kx = 2000.0f / (xmax - xmin);
        ky = 2000.0f / (ymax - ymin);
        cx = ((xmax - xmin) * HPGL_TEXT_COLUMNS /
              static_cast<float>(HPGL_TEXT_COLUMNS - MARGIN.left - MARGIN.right)) /
             HPGL_TEXT_COLUMNS;
        cy = ((ymax - ymin) * HPGL_TEXT_ROWS /
              static_cast<float>(HPGL_TEXT_ROWS - MARGIN.bottom - MARGIN.top)) /
             HPGL_TEXT_ROWS;
    }
    float u(float x) const { return (x - xc) * kx; }
    float w(float y) const { return (y - yc) * ky; }
};

enum class GridLines { VERTICAL, HORIZONTAL };

// The dashed grid lines at the inner divisions of one axis: vertical lines
// from the bottom to the top of the frame, or horizontal lines across it.
void grid_lines(HpglStream& gl, const RectMapping& m, GridLines direction, float division,
                int division_count) {
    gl.line("LT2,2;PT0.2;");
    for (int i = 1; i <= division_count - 1 && gl.ok(); ++i) {
        const float step = static_cast<float>(i) * division;
        if (direction == GridLines::VERTICAL) {
            const float x = m.u(m.xmin + step);
            gl.move_down(x, m.w(m.ymin));
            gl.move_up(x, m.w(m.ymax));
        } else {
            const float y = m.w(m.ymin + step);
            gl.move_down(m.u(m.xmin), y);
            gl.move_up(m.u(m.xmax), y);
        }
    }
    gl.line("PT;");
}

// The decade lines dashed and their multiples dotted, on a logarithmic
// frequency axis.
void log_grid_lines(HpglStream& gl, const RectMapping& m, const LogFrequencyAxis& axis) {
    const auto vertical = [&](float f) {
        const float x = m.u(static_cast<float>(LogFrequencyAxis::coordinate(f)));
        gl.move_down(x, m.w(m.ymin));
        gl.move_up(x, m.w(m.ymax));
    };
    gl.line("LT1,1;PT0.1;");
    for (float f : axis.minors) vertical(f);
    gl.line("LT2,2;PT0.2;");
    for (float f : axis.decades) vertical(f);
    gl.line("PT;");
}

// A caption through the glyph table, ended by a single blank.
void caption(HpglStream& gl, const std::string& label, int length) {
    bool ok = gl.ok();
    const int n = std::clamp(length, 0, static_cast<int>(label.size()));
    for (int i = 0; i < n && ok; ++i)
        write_label_text(gl.sink(), label[static_cast<std::size_t>(i)], ok);
    gl.line(" ");
}

}  // namespace

bool write_rect_hpgl_stream(const PlotState& state, std::ostream& out) {
    std::unique_ptr<PlotState> copy;
    const PlotState& s = laid_out(state, copy);
    TextSink sink(out);
    HpglStream gl(sink, 3);
    const LogFrequencyAxis log_axis = rectangular_layout(s, HPGL_LOG_AXIS_COLUMNS).log_x;
    const RectMapping m = s.log_frequency
                              ? RectMapping(s, static_cast<float>(LogFrequencyAxis::coordinate(s.x_min)),
                                            static_cast<float>(LogFrequencyAxis::coordinate(s.x_max)))
                              : RectMapping(s, s.x_min, s.x_max);
    const float xmin = m.xmin, xmax = m.xmax, ymin = m.ymin, ymax = m.ymax;
    const float xc = m.xc, yc = m.yc, kx = m.kx, ky = m.ky, cx = m.cx, cy = m.cy;
    const auto x_number = [&](float v) { return format_number(7, v, s.x_scale, s.x_prefix); };
    const auto y_number = [&](float v) { return format_number(7, v, s.y_scale, s.y_prefix); };

    const int p2x = HPGL_P1_X + HPGL_RECT_WIDTH;
    const int p2y = HPGL_P1_Y + HPGL_HEIGHT;
    gl.integer_line("IN;SP1;IP", HPGL_P1_X, HPGL_P1_Y, p2x, p2y);
    const int sc_xmin = floor_tol((xmin - xc - MARGIN.left * cx) * kx);
    const int sc_xmax = floor_tol((xmax - xc + MARGIN.right * cx) * kx);
    const int sc_ymin = floor_tol((ymin - yc - MARGIN.bottom * cy) * ky);
    const int sc_ymax = floor_tol((ymax - yc + MARGIN.top * cy) * ky);
    gl.integer_line("SC", sc_xmin, sc_xmax, sc_ymin, sc_ymax);

    gl.move_down(m.u(xmin), m.w(ymin));
    gl.move(m.u(xmax), m.w(ymin));
    gl.move(m.u(xmax), m.w(ymax));
    gl.move(m.u(xmin), m.w(ymax));
    gl.move_up(m.u(xmin), m.w(ymin));
    gl.line("DI1,0; ");

    gl.move(((xmax - xc) - static_cast<float>(s.x_label_len) * cx) * kx,
            ((ymin - yc) - 3 * cy) * ky);
    caption(gl, s.x_label, s.x_label_len);

    const float number_row = ((ymin - yc) - 1.5f * cy) * ky;
    if (s.log_frequency) {
        log_grid_lines(gl, m, log_axis);
        gl.move(((xmax - xc) - 7 * cx) * kx, number_row);
        gl.label(x_number(s.x_max));
        for (float f : log_axis.labels) {
            gl.move(m.u(static_cast<float>(LogFrequencyAxis::coordinate(f))) - 3.5f * cx * kx, number_row);
            gl.label(x_number(f));
        }
        gl.move(((xmin - xc) - 2 * cx) * kx, number_row);
        gl.label(x_number(s.x_min));
    } else {
        grid_lines(gl, m, GridLines::VERTICAL, s.x_div, s.x_div_count);
        gl.move(((xmax - xc) - 7 * cx) * kx, number_row);
        gl.label(x_number(xmax));
        gl.move(((xmin - xc) + 15 * cx) * kx, number_row);
        gl.label(x_number(s.x_div) + "/div");
        gl.move(((xmin - xc) - 2 * cx) * kx, number_row);
        gl.label(x_number(xmin));
    }

    gl.move(((xmin - xc) + 3 * cx) * kx, ((ymax - yc) + 2.5f * cy) * ky);
    gl.label(fixed_text(s.title, TITLE_LENGTH));

    const float yc2 = ((ymax - yc) + 0.5f * cy) * ky;
    gl.move(((xmin - xc) - 6.5f * cx) * kx, yc2);
    caption(gl, s.y_label, s.y_label_len);

    if (s.curve_count == 2) {
        const float legend_length = 0.045f * static_cast<float>(sc_xmax - sc_xmin);
        gl.move_down(((xmin - xc) + 51 * cx) * kx, yc2);
        gl.line("LT;PT0.6;");
        gl.relative_up(legend_length, 0.0f);
        gl.line("PT;");
        gl.label(" real     ");
        gl.line("LT6;PT0.4;PD;");
        gl.relative_up(legend_length, 0.0f);
        gl.line("PT;");
        gl.label(" imaginary");
    }

    grid_lines(gl, m, GridLines::HORIZONTAL, s.y_div, s.y_div_count);

    const float number_column = ((xmin - xc) - 7.5f * cx) * kx;
    gl.move(number_column, ((ymax - yc) - cy) * ky);
    gl.label(y_number(ymax));
    gl.move(number_column, ((ymin - yc) + 15 * cy) * ky);
    gl.label(y_number(s.y_div));
    gl.move(number_column, ((ymin - yc) + 13.5f * cy) * ky);
    gl.label("   /div");
    gl.move(number_column, (ymin - yc) * ky);
    gl.label(y_number(ymin));

    gl.line("LT;PT0.8;");
    gl.integer_line("IW", HPGL_P1_X + (MARGIN.left * HPGL_RECT_WIDTH) / HPGL_TEXT_COLUMNS,
                    HPGL_P1_Y + (MARGIN.bottom * HPGL_HEIGHT) / HPGL_TEXT_ROWS,
                    p2x - (MARGIN.right * HPGL_RECT_WIDTH) / HPGL_TEXT_COLUMNS,
                    p2y - (MARGIN.top * HPGL_HEIGHT) / HPGL_TEXT_ROWS);

    const int curves = std::clamp(s.curve_count, 0, 2);
    const int n = std::clamp(s.point_count, 0, curves > 0 ? MAX_PLOT_POINTS / curves : 0);
    for (int k = 1; k <= curves && n > 0 && gl.ok(); ++k) {
        const int pen = (k - 1) % 7;
        if (pen == 0)
            gl.line("LT;PT0.6;");
        else
            gl.line("LT" + std::to_string(7 - pen) + ";PT0.4;");
        gl.move(static_cast<float>(sc_xmin), static_cast<float>(sc_ymin));
        const int first = (k - 1) * n + 1;
        const auto point = [&](int j, bool down) {
            const float x = static_cast<float>(x_coordinate(s, s.plot_x[static_cast<std::size_t>(j)]));
            const float u = limited_coordinate(m.u(x), COORDINATE_LIMIT);
            const float w =
                limited_coordinate(m.w(s.plot_y[static_cast<std::size_t>(j)]), COORDINATE_LIMIT);
            if (down)
                gl.move_down(u, w);
            else
                gl.move(u, w);
        };
        point(first, true);
        for (int j = first; j < first + n && gl.ok(); ++j) point(j, false);
        gl.line("PU;");
    }
    gl.line("PT;IW;");
    gl.line("SP0;PG;IN;");
    return gl.ok();
}
