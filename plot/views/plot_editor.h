// The EDIT PLOT screen.
#pragma once

// Runs the plot editor on the sweep of one complex matrix element until the
// user leaves it. re, im and f hold point_count values each (0-based arrays);
// kind is a ParameterKind; format is the kind's PlotFormat, read and written.
void edit_plot(int kind, int reserved, int point_count, const float* re, const float* im,
               const float* f, int& format);
