#include "rectangular_layout.h"

#include "axis_labels.h"

RectangularLayout rectangular_layout(const PlotState& s) {
    return {scale_axis(s.x_min, s.x_max), scale_axis(s.y_min, s.y_max)};
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
    // A logarithmic frequency axis is laid out by its own drawer.
    if (state.laid_out || state.log_frequency) return state;
    copy = std::make_unique<PlotState>(state);
    adopt_layout(*copy, rectangular_layout(*copy));
    return *copy;
}
