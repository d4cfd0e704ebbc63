#include "plot_state.h"

AxisFields x_axis(PlotState& s) {
    return {s.x_min,   s.x_max,    s.x_label, s.x_label_len, s.x_prefix_pos,
            s.x_scale, s.x_prefix, s.x_div,   s.x_div_count};
}

AxisFields y_axis(PlotState& s) {
    return {s.y_min,   s.y_max,    s.y_label, s.y_label_len, s.y_prefix_pos,
            s.y_scale, s.y_prefix, s.y_div,   s.y_div_count};
}

