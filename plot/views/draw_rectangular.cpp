#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "axis_labels.h"
#include "diagram_drawers.h"
#include "diagram_frame.h"
#include "engineering_notation.h"
#include "log_axis_drawing.h"
#include "plot_state.h"
#include "rectangular_layout.h"
#include "screen_surface.h"
#include "screen_toolkit.h"

namespace {

constexpr std::uint16_t SECOND_CURVE = 0xCCFC;

const std::string& legend_text() {
    static const std::string text = [] {
        const char line = static_cast<char>(0xC4);
        const char dot = static_cast<char>(0xF9);
        return std::string(5, line) + " real, -" + std::string(2, dot) + "- imaginary";
    }();
    return text;
}

void grid_line_style(int i, int count) {
    if (i == 0 || i == count) {
        set_line_style(SOLID);
        set_color(COLOR_NORMAL);
    } else {
        set_line_style(DASHED);
        set_color(COLOR_GRID);
    }
}

float clamp_to(float v, float lo, float hi) {
    if (std::isnan(v)) return lo;
    return std::clamp(v, lo, hi);
}

// The x clamp in the window's coordinate (log10 f on a logarithmic axis); a
// linear axis keeps the 32-bit arithmetic of its values.
double clamp_x(double v, double lo, double hi) {
    if (std::isnan(v)) return lo;
    return std::clamp(v, lo, hi);
}

}  // namespace

void draw_rectangular(PlotState& s) {
    const ScreenLayout& layout = screen_layout();
    const auto [left, top, right, bottom] = plot_area_cells();

    const RectangularLayout diagram = rectangular_layout(s, screen_log_axis_columns());
    adopt_layout(s, diagram);
    const LogFrequencyAxis& log_axis = diagram.log_x;
    const double window_x_min = x_coordinate(s, s.x_min), window_x_max = x_coordinate(s, s.x_max);

    clear_screen(ClearArea::VIEWPORT);
    const double ch = layout.cell_height;
    set_viewport(layout.plot_pixels.x1 + 8 * layout.cell_width,
                 static_cast<int>(std::trunc(layout.plot_pixels.y1 + 2.5 * ch)),
                 layout.plot_pixels.x2,
                 static_cast<int>(std::trunc(layout.plot_pixels.y2 - 2.5 * ch)));
    set_window(true, window_x_min, s.y_min, window_x_max, s.y_max);
    set_text_wrap(false);

    put_prefix(s.x_label, s.x_prefix_pos, s.x_prefix);
    print_at(bottom, right - s.x_label_len, COLOR_NORMAL, s.x_label.substr(0, s.x_label_len));

    if (s.log_frequency) {
        draw_log_frequency_grid(log_axis, s.y_min, s.y_max);
        print_log_frequency_numbers(log_axis, bottom - 1);
    } else {
        for (int i = 0; i <= s.x_div_count; ++i) {
            const float x = s.x_min + static_cast<float>(i) * s.x_div;
            grid_line_style(i, s.x_div_count);
            move_to(x, s.y_min);
            line_to(x, s.y_max);
        }
        const auto x_number = [&](float v) { return format_number(7, v, s.x_scale, s.x_prefix); };
        print_at(bottom - 1, right - 7, COLOR_NORMAL, x_number(s.x_max));
        print_at(bottom - 1, left + 11, COLOR_NORMAL, x_number(s.x_div) + "/div");
        print_at(bottom - 1, left + 3, COLOR_NORMAL, x_number(s.x_min));
    }

    print_at(top, left, COLOR_NORMAL, s.title);

    if (s.curve_count == 2) {
        print_at(top + 1, right - 26, COLOR_NORMAL, legend_text());
        print_at(top + 1, right - 26, COLOR_BRIGHT, legend_text().substr(0, 5));
    }

    put_prefix(s.y_label, s.y_prefix_pos, s.y_prefix);
    print_at(top + 1, left, COLOR_NORMAL, s.y_label);

    for (int i = 0; i <= s.y_div_count; ++i) {
        const float y = s.y_min + static_cast<float>(i) * s.y_div;
        grid_line_style(i, s.y_div_count);
        move_to(window_x_min, y);
        line_to(window_x_max, y);
    }

    const auto y_number = [&](float v) { return format_number(7, v, s.y_scale, s.y_prefix); };
    print_at(top + 2, left, COLOR_NORMAL, y_number(s.y_max));
    print_at(bottom - 7, left, COLOR_NORMAL, y_number(s.y_div));
    print_at(bottom - 6, left, COLOR_NORMAL, "   /div");
    print_at(bottom - 2, left, COLOR_NORMAL, y_number(s.y_min));

    const float dx = s.x_max - s.x_min;
    const float dy = s.y_max - s.y_min;
    double x_lo = s.x_min - 10 * dx, x_hi = s.x_max + 10 * dx;
    if (s.log_frequency) {
        const double decades = window_x_max - window_x_min;
        x_lo = window_x_min - 10 * decades;
        x_hi = window_x_max + 10 * decades;
    }
    const float y_lo = s.y_min - 10 * dy, y_hi = s.y_max + 10 * dy;
    const int n = s.point_count;
    for (int k = 1; k <= s.curve_count; ++k) {
        set_line_style(k == 1 ? SOLID : SECOND_CURVE);
        set_color(k == 1 ? COLOR_BRIGHT : COLOR_NORMAL);
        const int first = (k - 1) * n + 1;
        const auto x_of = [&](int i) { return clamp_x(x_coordinate(s, s.plot_x[i]), x_lo, x_hi); };
        move_to(x_of(first), clamp_to(s.plot_y[first], y_lo, y_hi));
        for (int i = first; i < first + n; ++i) line_to(x_of(i), clamp_to(s.plot_y[i], y_lo, y_hi));
    }
    set_line_style(SOLID);
}
