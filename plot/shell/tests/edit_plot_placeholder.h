// A stand-in for the plot editor in these tests: it shows "EDIT PLOT",
// records what it was given and returns on F10.
#pragma once

#include <vector>

struct EditPlotCall {
    int calls = 0;
    int kind = 0;
    int reserved = -1;
    int point_count = 0;
    std::vector<float> re, im, f;
    int format = -1;
};

EditPlotCall& last_edit_plot_call();
