// The EDIT PLOT screen.
#pragma once

#include <string>

#include "plot_editor_outputs.h"
#include "plot_state.h"

// Runs the plot editor on the sweep of one complex matrix element until the
// user leaves it. re, im and f hold point_count values each (0-based arrays);
// kind is a ParameterKind; format is the kind's PlotFormat, read and written.
// The diagram is described in state, which keeps the title, the scale and
// the Smith chart's grid between visits; outputs serve the output keys.
void edit_plot(PlotState& state, PlotEditorOutputs& outputs, int kind, int point_count,
               const float* re, const float* im, const float* f, int& format);

// The editor's screen as it stands before its first key: caption, the
// format's name, the diagram drawn from the sweep with a blank title, and
// the menu bar. Returns the message that would end the editor instead
// (empty when the diagram is shown).
std::string open_plot_editor(PlotState& state, int kind, int point_count, const float* re,
                             const float* im, const float* f, int format);
// The title in the first row of the plot area, as the title editor leaves it.
void show_plot_title(const PlotState& state);
// The diagram drawn again from state (after a change of the Smith chart's
// grid or the scale), with the menu bar.
void redraw_plot(PlotState& state, int format);
