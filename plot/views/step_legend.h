// The "fstep" entry of the Smith chart's frequency legend, on the screen and
// in HP-GL: the step of an even sweep in the axis's engineering notation;
// for a logarithmic sweep its points per decade ("log    100.00/dec"), for
// any other uneven list its number of points ("uneven    401 pts").
#pragma once

#include <string>

#include "frequency_spacing.h"

// 17 characters.
std::string step_legend_text(const FrequencySpacing& spacing, float step, int point_count, float scale,
                             char prefix);
