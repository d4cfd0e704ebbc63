// Geometry of the Smith chart: the window around the chart, the polylines of
// its grid circles and arcs and of its markers. All in window units, where
// the outer circle has radius 1.
#pragma once

#include <vector>

constexpr float SMITH_RADIUS = 1.0f;
constexpr float SMITH_WINDOW_HALF_HEIGHT = 1.05f * SMITH_RADIUS;
constexpr float SMITH_ASPECT = 0.75f;
constexpr float SMITH_PI = 3.141593f;

struct SmithWindow {
    double left, bottom, right, top;
};

// The window mapped onto the plot area: the chart sits right of its centre
// and a little low, leaving room for the legend at the left.
SmithWindow smith_window();

// Step count n and angle step theta of a grid curve.
struct ArcSteps {
    int n = 1;
    float theta = SMITH_PI;
};

// Circle of constant resistance v: drawn in 2n steps of theta.
ArcSteps resistance_circle_steps(float v);
// Arc of constant reactance +-v: at most n steps of theta.
ArcSteps reactance_arc_steps(float v);

struct WindowPoint {
    float x, y;
};

// Polylines, first point = where the pen is moved to. `sign` multiplies every
// x coordinate: -1 mirrors the impedance grid into the admittance grid.
std::vector<WindowPoint> resistance_circle(float v, float sign);
// upper: reactance +v (above the real axis), otherwise -v. The arc ends at
// its exact crossing with the outer circle.
std::vector<WindowPoint> reactance_arc(float v, float sign, bool upper);

// Markers of the curve: squares and circles of the given half-size.
std::vector<WindowPoint> square_marker(float x, float y, float h);
std::vector<WindowPoint> circle_marker(float x, float y, float r);

// Grid values of the chart, in drawing order.
const std::vector<float>& smith_grid_values();
