// F4 "Title" of the plot editor: the 76-character plot title typed in place
// on the first work-area row, in overwrite or insert mode.
#pragma once

#include "plot_state.h"

void edit_title(PlotState& state);
