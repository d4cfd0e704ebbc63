#include "rectangular_layout.h"

#include "axis_labels.h"
#include "log_axis_drawing.h"

RectangularLayout rectangular_layout(const PlotState& s, int log_axis_columns) {
    RectangularLayout layout;
    layout.y = scale_axis(s.y_min, s.y_max);
    layout.log_frequency = s.log_frequency;
    if (!s.log_frequency) {
        layout.x = scale_axis(s.x_min, s.x_max);
        return layout;
    }
    layout.log_x = log_frequency_axis_of(s, log_axis_columns);
    layout.x.min = layout.log_x.min;
    layout.x.max = layout.log_x.max;
    layout.x.scale = layout.log_x.scale;
    layout.x.prefix = layout.log_x.prefix;
    return layout;
}

void adopt_axis_layout(const AxisFields& axis, const AxisScaling& a) {
    axis.min = a.min;
    axis.max = a.max;
    axis.div = a.division;
    axis.div_count = a.division_count;
    axis.scale = a.scale;
    axis.prefix = a.prefix;
    put_prefix(axis.label, axis.prefix_pos, a.prefix);
}

void adopt_layout(PlotState& s, const RectangularLayout& layout) {
    adopt_axis_layout(x_axis(s), layout.x);
    adopt_axis_layout(y_axis(s), layout.y);
    s.laid_out = true;
}

const PlotState& laid_out(const PlotState& state, std::unique_ptr<PlotState>& copy) {
    if (state.laid_out) return state;
    copy = std::make_unique<PlotState>(state);
    adopt_layout(*copy, rectangular_layout(*copy, HPGL_LOG_AXIS_COLUMNS));
    return *copy;
}
