// The plot editor's writers. Each runs the file dialogue and writes one
// file from a plot state; messages go to the message line.
#pragma once

#include "plot_state.h"

// F8 "GL" on a Smith chart: an HP-GL plot file NAME.PLT.
void write_smith_hpgl(const PlotState& state);
// F8 "GL" on a rectangular diagram: an HP-GL plot file NAME.PLT.
void write_rect_hpgl(const PlotState& state);
// F7 "Table": the plotted values as a framed table NAME.RPT. The axes get
// the prefixes of the table (see scale_table_axes).
void write_table_report(PlotState& state);
