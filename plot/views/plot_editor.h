// The EDIT PLOT screen.
#pragma once

#include "plot_editor_outputs.h"
#include "plot_state.h"

// Runs the plot editor on the sweep of one complex matrix element until the
// user leaves it. re, im and f hold point_count values each (0-based arrays);
// kind is a ParameterKind; format is the kind's PlotFormat, read and written.
// The diagram is described in state, which keeps the title, the scale and
// the Smith chart's grid between visits; outputs serve the output keys.
void edit_plot(PlotState& state, PlotEditorOutputs& outputs, int kind, int point_count,
               const float* re, const float* im, const float* f, int& format);
