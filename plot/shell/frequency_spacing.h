// How the frequencies of a loaded sweep are spaced: evenly (one step), evenly
// in log10 f (a number of points per decade), or neither. Where the plotter
// shows a sweep by its step, an uneven list is shown for what it is.
#pragma once

enum class SpacingKind { EVEN, LOGARITHMIC, UNEVEN };

struct FrequencySpacing {
    SpacingKind kind = SpacingKind::EVEN;
    double points_per_decade = 0;  // LOGARITHMIC only
};

// Spacing of f[0 .. n-1]. A list counts as even when no point lies further
// than 1 % of the mean step (or the rounding of 32-bit reals, for tiny steps
// on high frequencies) from its place on the straight line between the first
// and the last; logarithmic when the same holds for log10 f. Lists of fewer
// than three points are even.
FrequencySpacing frequency_spacing(const float* f, int n);
