// The CHANGE SCALE screen: the four limits of a rectangular diagram's axis
// range, edited in the units of the axis prefixes.
#pragma once

#include "plot_state.h"

// Edits x_min, x_max, y_min and y_max of state; on leaving, reversed
// limits are exchanged and equal limits go back to the data range.
void change_scale(PlotState& state);

// The ordering done on leaving, for one axis.
void order_limits(float& min, float& max, float data_min, float data_max);
