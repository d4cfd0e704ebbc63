// The layout of a rectangular diagram: both axes widened, divided and
// snapped from the diagram's range (scale_axis), or on a logarithmic
// frequency axis x snapped and gridded by decades (layout_log_axis). The
// screen drawer, the HP-GL writer and the table writer all take it from
// here.
#pragma once

#include <memory>

#include "log_frequency_axis.h"
#include "plot_state.h"
#include "rectangular_scaling.h"

struct RectangularLayout {
    AxisScaling x;  // on a logarithmic axis: its limits, scale and prefix, no divisions
    AxisScaling y;
    bool log_frequency = false;
    LogFrequencyAxis log_x;  // log_frequency only: its grid lines and numbers
};

// The layout of state's range; a logarithmic x axis numbers what fits in
// log_axis_columns text columns (screen_log_axis_columns(),
// HPGL_LOG_AXIS_COLUMNS).
RectangularLayout rectangular_layout(const PlotState& state, int log_axis_columns);

// The diagram takes the layout: its range, divisions, scales and prefixes
// (also in the axis labels) become the layout's (the diagram as the screen shows it, from which the
// scale editor and a redraw start).
void adopt_layout(PlotState& state, const RectangularLayout& layout);

// One axis of the diagram takes its scaling.
void adopt_axis_layout(const AxisFields& axis, const AxisScaling& scaling);

// state as laid out: itself when its range is the adopted layout's, else a
// copy (made in `copy`) that has adopted the layout of its range (the
// labels of a logarithmic axis are not kept: lay it out again for them).
const PlotState& laid_out(const PlotState& state, std::unique_ptr<PlotState>& copy);
