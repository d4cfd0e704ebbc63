// The lines of a table report: a framed title, the axis captions and one
// line per plotted point, every line exactly 80 characters of code page 437
// (box-drawing characters included), each ended by a line feed. Values are
// fixed-point fields; a negative value whose printed digits are all zero is
// written without a minus sign, and a value too wide for its field as
// asterisks.
#pragma once

#include <ostream>

#include "plot_state.h"

constexpr int TABLE_LINE_LENGTH = 80;

// Chooses the engineering prefix of each axis whose label has a prefix slot
// (position > 1) from the range of the diagram's layout (which state adopts
// first if it has not yet) and writes it into the label; an axis without a
// slot gets a blank prefix and scale 1.
void scale_table_axes(PlotState& state);

// Writes the table of the points of state (one or two curves), values
// divided by the axis scales. Returns false at the first failed write.
bool write_table_lines(const PlotState& state, std::ostream& out);
