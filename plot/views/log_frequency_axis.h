// The logarithmic frequency axis of a rectangular diagram: limits snapped to
// 1-2-5 steps (or to whole decades for wide ranges), decades as the major
// grid lines, 2..9 times a decade as the minor ones, and the numbers that
// fit below the axis. Pure: the same layout serves the screen and HP-GL.
#pragma once

#include <vector>

struct LogFrequencyAxis {
    float min = 1;       // snapped limits, 0 < min < max
    float max = 10;
    float scale = 1;     // power of 1000 of the axis numbers, as on a linear axis
    char prefix = ' ';   // its prefix character
    std::vector<float> decades;  // powers of ten strictly between min and max
    std::vector<float> minors;   // 2..9 times a power of ten strictly between min and max
    std::vector<float> labels;   // values numbered below their grid lines, in rising order

    // Drawing coordinate of a frequency: log10 f (minus infinity for f <= 0).
    static double coordinate(double f);
    // Place of f along the axis: 0 at min, 1 at max.
    double fraction(double f) const;
};

// Text columns of an axis number, centred on its grid line, and the blank
// kept between two numbers.
inline constexpr int LOG_LABEL_WIDTH = 7;

// The largest 1-2-5 step at or below v, and the smallest at or above it;
// a value within 1 % beyond a step counts as that step.
float log_step_at_or_below(float v);
float log_step_at_or_above(float v);

// Lays out the axis for the range min .. max across `columns` text columns
// between its two frame lines; column 0 is the one right of the left frame
// line. The limits' own numbers stand at the ends (the lower one in columns
// -5 .. 1, the upper one in columns - 8 .. columns - 2, as on a linear
// axis); `labels` are the grid lines numbered between them, each centred on
// its line's column, without touching the limits' numbers or each other. A
// lower limit <= 0 is taken as three decades below the upper one.
LogFrequencyAxis layout_log_axis(float min, float max, int columns);

// The text column (counted as above) in which the grid line of v lies.
int log_axis_column(const LogFrequencyAxis& axis, float v, int columns);
