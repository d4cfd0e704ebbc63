// The HP-GL stream of the Smith chart: initialisation, scaling, outer circle,
// grid, legend, texts, the curve with its frequency marks, trailer.
#pragma once

#include <ostream>

#include "plot_state.h"

// Writes the whole stream for the Smith chart described by state. Returns
// false at the first failed write (the stream then holds what was written).
bool write_smith_hpgl_stream(const PlotState& state, std::ostream& out);
