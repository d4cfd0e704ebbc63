// Automatic scaling of one axis of a rectangular diagram: a too narrow range
// is widened, the division is 1, 2 or 5 times a power of ten, and the range
// is snapped outward to whole divisions.
#pragma once

struct AxisScaling {
    float min = 0;
    float max = 0;
    float division = 0;
    int division_count = 0;
    float scale = 1;      // power of 1000 of the axis numbers
    char prefix = ' ';    // its prefix character
};

// Division step (0.1, 0.2, 0.5 or 1.0) for a range of q decades' units.
float division_step(float q);

// Snaps a lower / upper limit outward to a multiple of the division; a limit
// within 2 % of a division beyond a grid line goes back to that line.
float snap_minimum(float v, float division);
float snap_maximum(float v, float division);

// Scales the axis range min < max.
AxisScaling scale_axis(float min, float max);
