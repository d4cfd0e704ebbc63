#include "log_axis_drawing.h"

#include <cmath>
#include <string>

#include "diagram_frame.h"
#include "engineering_notation.h"
#include "screen_surface.h"
#include "screen_toolkit.h"

namespace {
constexpr std::uint16_t DOTTED = 0x1010;  // minor grid lines, lighter than the decades
}

int screen_log_axis_columns() {
    const TextCells cells = plot_area_cells();
    return cells.right - cells.left - 7;
}

LogFrequencyAxis log_frequency_axis_of(const PlotState& s, int columns) {
    float min = s.x_min;
    if (!(min > 0)) {
        const int n = s.curve_count * s.point_count;
        for (int i = 1; i <= n && i <= MAX_PLOT_POINTS; ++i)
            if (s.plot_x[i] > 0 && (!(min > 0) || s.plot_x[i] < min)) min = s.plot_x[i];
    }
    return layout_log_axis(min, s.x_max, columns);
}

double x_coordinate(const PlotState& s, float x) {
    return s.log_frequency ? LogFrequencyAxis::coordinate(x) : x;
}

void draw_log_frequency_grid(const LogFrequencyAxis& axis, float y_min, float y_max) {
    const auto vertical = [&](float f) {
        const double x = LogFrequencyAxis::coordinate(f);
        move_to(x, y_min);
        line_to(x, y_max);
    };
    set_color(COLOR_GRID);
    set_line_style(DOTTED);
    for (float f : axis.minors) vertical(f);
    set_line_style(DASHED);
    for (float f : axis.decades) vertical(f);
    set_line_style(SOLID);
    set_color(COLOR_NORMAL);
    vertical(axis.min);
    vertical(axis.max);
}

void print_log_frequency_numbers(const LogFrequencyAxis& axis, int row) {
    const TextCells cells = plot_area_cells();
    const int columns = screen_log_axis_columns();
    const auto number = [&](float v) { return format_number(7, v, axis.scale, axis.prefix); };
    print_at(row, cells.right - 7, COLOR_NORMAL, number(axis.max));
    print_at(row, cells.left + 3, COLOR_NORMAL, number(axis.min));
    for (float v : axis.labels)
        print_at(row, cells.left + 8 + log_axis_column(axis, v, columns) - LOG_LABEL_WIDTH / 2, COLOR_NORMAL,
                 number(v));
}
