#include <cmath>
#include <string>
#include <vector>

#include "diagram_drawers.h"
#include "diagram_frame.h"
#include "engineering_notation.h"
#include "step_legend.h"
#include "plot_state.h"
#include "screen_surface.h"
#include "smith_geometry.h"

namespace {

constexpr float MARK_SIZES[] = {0.01f, 0.0067f, 0.0033f};

void polyline(const std::vector<WindowPoint>& points) {
    if (points.empty()) return;
    move_to(points.front().x, points.front().y);
    for (std::size_t i = 1; i < points.size(); ++i) line_to(points[i].x, points[i].y);
}

void start_mark(float x, float y) {
    for (float h : MARK_SIZES) polyline(square_marker(x, y, h));
}

void step_mark(float x, float y) {
    for (float r : MARK_SIZES) polyline(circle_marker(x, y, r));
}

void stop_mark(float x, float y) { polyline(square_marker(x, y, MARK_SIZES[0])); }

// Points of the curve beyond any sensible reflection coefficient keep their
// direction without overflowing the window-to-pixel conversion.
float clamp_point(float v) {
    constexpr float LIMIT = 1.0e4f;
    if (std::isnan(v)) return 0;
    return std::fmax(-LIMIT, std::fmin(LIMIT, v));
}

void smith_grid_circle(float v, float sign) {
    polyline(resistance_circle(v, sign));
    polyline(reactance_arc(v, sign, true));
    polyline(reactance_arc(v, sign, false));
}

std::string frequency_text(const char* name, float value, const PlotState& s) {
    return std::string(name) + format_number(7, value, s.x_scale, s.x_prefix) + " " +
           std::string(1, s.x_prefix) + "Hz";
}

}  // namespace

void draw_smith_chart(PlotState& s) {
    const auto [left, top, right, bottom] = plot_area_cells();
    const float sign = s.smith_grid_sign;

    clear_screen(ClearArea::VIEWPORT);
    const SmithWindow w = smith_window();
    set_window(true, w.left, w.bottom, w.right, w.top);
    set_text_wrap(false);

    set_line_style(SOLID);
    set_color(COLOR_NORMAL);
    move_to(SMITH_RADIUS, 0);
    for (int i = 1; i <= 360; ++i) {
        const float t = static_cast<float>(i) * 6.283185f / 360.0f;
        line_to(SMITH_RADIUS * std::cos(t), SMITH_RADIUS * std::sin(t));
    }

    set_line_style(DASHED);
    set_color(COLOR_GRID);
    move_to(-SMITH_RADIUS, 0);
    line_to(SMITH_RADIUS, 0);
    for (float v : smith_grid_values()) smith_grid_circle(v, sign);

    set_line_style(SOLID);
    move_to(-0.01, -0.01);
    line_to(0.01, 0.01);
    move_to(-0.01, 0.01);
    line_to(0.01, -0.01);

    const float a = std::fmax(std::fabs(s.x_min), std::fabs(s.x_max));
    choose_prefix(a, s.x_prefix, s.x_scale, false);
    const int n = s.point_count;
    const float step = (s.x_max_data - s.x_min_data) / static_cast<float>(n - 1);
    print_at(bottom, left + 2, COLOR_NORMAL, frequency_text("fstop ", s.x_max, s));
    print_at(bottom - 1, left + 2, COLOR_NORMAL, step_legend_text(s.spacing, step, n, s.x_scale, s.x_prefix));
    print_at(bottom - 2, left + 2, COLOR_NORMAL, frequency_text("fstart", s.x_min, s));

    // Legend symbols in the middle of the left column, beside their rows.
    const float column_width =
        2.0f * SMITH_WINDOW_HALF_HEIGHT / (SMITH_ASPECT * static_cast<float>(right - left + 1));
    const float row_height = 2.0f * SMITH_WINDOW_HALF_HEIGHT / static_cast<float>(bottom - top + 1);
    const float legend_x = static_cast<float>(w.left) + 0.5f * column_width;
    const float legend_y = static_cast<float>(w.bottom);
    set_color(COLOR_BRIGHT);
    set_line_style(SOLID);
    start_mark(legend_x, legend_y + 2.5f * row_height);
    step_mark(legend_x, legend_y + 1.5f * row_height);
    stop_mark(legend_x, legend_y + 0.5f * row_height);

    print_at(top, left, COLOR_NORMAL, s.title);
    print_at(top + 1, left, COLOR_NORMAL, "Smith Chart");
    print_at(top + 2, left, COLOR_NORMAL, sign > 0 ? "impedance grid:" : "admittance grid:");
    print_at(top + 3, left, COLOR_NORMAL, "0, 0.2, 0.4,");
    print_at(top + 4, left, COLOR_NORMAL, "0.6, 0.8, 1,");
    print_at(top + 5, left, COLOR_NORMAL, "1.5, 2, 2.5,");
    print_at(top + 6, left, COLOR_NORMAL, "3, 3.5, 4, 5");

    set_color(COLOR_BRIGHT);
    set_line_style(SOLID);
    const auto px = [&](int i) { return clamp_point(s.plot_x[i]); };
    const auto py = [&](int i) { return clamp_point(s.plot_y[i]); };
    move_to(px(1), py(1));
    for (int i = 2; i <= n; ++i) line_to(px(i), py(i));
    start_mark(px(1), py(1));
    for (int i = 2; i < n; ++i) step_mark(px(i), py(i));
    stop_mark(px(n), py(n));
}
