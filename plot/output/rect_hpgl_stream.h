// The HP-GL stream of a rectangular diagram: frame, grid, axis numbers and
// captions, title, optional curve legend and the curves.
#pragma once

#include <ostream>

#include "plot_state.h"

// Writes the whole stream for the rectangular diagram of state, in the
// layout of its range (rectangular_layout), the one the screen shows.
// Returns false at the first failed write.
bool write_rect_hpgl_stream(const PlotState& state, std::ostream& out);
