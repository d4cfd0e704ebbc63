// The menu of one kind of network parameter (s, y or z): loading a file,
// choosing the matrix element and its presentation, and plotting it.
#pragma once

#include <functional>
#include <string>

#include "plot_session.h"

// Opens the plot editor on the sweep of one matrix element (see edit_plot):
// the program passes the real editor, tests a stand-in.
using PlotEditorCall = std::function<void(int kind, int point_count, const float* re,
                                          const float* im, const float* f, int& format)>;

// kind: 1 s-parameters, 2 y-parameters, 3 z-parameters.
void parameter_menu(PlotSession& session, int kind, const PlotEditorCall& edit);

// The menu's screen without its keys: caption, cleared work area, menu bar
// and the side panel's status lines (blank while the kind is not loaded).
void show_parameter_menu(const PlotSession& session, int kind);

// Copies the sweep of the kind's chosen element (an index beyond the
// loaded file falls back to 1) into the series the plot editor is given;
// returns the number of points.
int take_element_sweep(PlotSession& session, int kind);

// The side-panel status lines of a loaded kind.
void show_parameter_status(const PlotSession& session, int kind);

// "fstart=" or "fstop= " followed by the frequency with its own prefix and
// "Hz": a 16-character status line.
std::string frequency_status_line(const std::string& label, float frequency);
