// The two diagrams of the plot editor. Both work on a plot state and draw
// into the plot area of the screen layout.
#pragma once

#include "plot_state.h"

// Rectangular diagram of the formats REAL_IMAG, MAGNITUDE, PHASE and
// MAGNITUDE_DB. Requires x_min < x_max and y_min < y_max; the state adopts
// the diagram's layout (rectangular_layout) and the diagram is drawn from it.
void draw_rectangular(PlotState& state);

// Smith chart of the SMITH_CHART format with the impedance or admittance
// grid chosen by smith_grid_sign.
void draw_smith_chart(PlotState& state);
