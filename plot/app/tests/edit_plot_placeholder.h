// A stand-in for the plot editor in these tests: it shows "EDIT PLOT",
// records what it was given and returns on F10.
#pragma once

#include <vector>

#include "parameter_menu.h"

struct EditPlotCall {
    int calls = 0;
    int kind = 0;
    int point_count = 0;
    std::vector<float> re, im, f;
    int format = -1;
};

// The stand-in editor, recording into call.
PlotEditorCall edit_plot_placeholder(EditPlotCall& call);
