// The logarithmic frequency axis of a rectangular diagram as the screen and
// the HP-GL writer draw it: the layout taken from the plot state, and the
// drawing coordinate of a frequency.
#pragma once

#include "log_frequency_axis.h"
#include "plot_state.h"

// Text columns between the frame lines of the screen diagram, and of the
// HP-GL diagram (its 88-column text grid less the left margin of 8).
int screen_log_axis_columns();
inline constexpr int HPGL_LOG_AXIS_COLUMNS = 80;

// The layout of the state's x range (a lower limit <= 0, as data with a
// point at 0 Hz give, is taken as the lowest positive frequency plotted).
LogFrequencyAxis log_frequency_axis_of(const PlotState& state, int columns);

// The x drawing coordinate of a plotted value: log10 f on a logarithmic
// axis (minus infinity for f <= 0), the value itself otherwise.
double x_coordinate(const PlotState& state, float x);

// Screen: the frame's vertical sides, the decade and minor grid lines in a
// window whose x runs over log10 f, and the numbers in text row `row`.
void draw_log_frequency_grid(const LogFrequencyAxis& axis, float y_min, float y_max);
void print_log_frequency_numbers(const LogFrequencyAxis& axis, int row);
