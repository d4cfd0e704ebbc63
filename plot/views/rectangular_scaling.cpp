#include "rectangular_scaling.h"

#include <algorithm>
#include <cmath>

#include "engineering_notation.h"

namespace {
// Far more divisions than a diagram ever gets from its own scaling; only
// corrupt ranges come near it, and they must not hang the drawing.
constexpr int MAX_DIVISIONS = 1000;
}  // namespace

float division_step(float q) {
    if (q < 1.55f) return 0.1f;
    if (q < 2.55f) return 0.2f;
    if (q < 6.1f) return 0.5f;
    return 1.0f;
}

float snap_minimum(float v, float s) {
    if (v >= 0) return s * static_cast<float>(floor_tol(v / s + 0.02f));
    return -s * static_cast<float>(floor_tol(-v / s + 0.98f));
}

float snap_maximum(float v, float s) {
    if (v >= 0) return s * static_cast<float>(floor_tol(v / s + 0.98f));
    return -s * static_cast<float>(floor_tol(-v / s + 0.02f));
}

AxisScaling scale_axis(float min, float max) {
    AxisScaling axis;
    float d = max - min;
    float a = std::max(std::fabs(min), std::fabs(max));
    if (100.0f * d < a) {
        if (max > 0)
            min = 0.99f * max;
        else
            max = 0.99f * min;
        d = max - min;
    }
    if (!(d > 0) || !std::isfinite(d)) {
        // Equal limits at zero, or limits beyond the float range: a unit
        // range keeps the diagram drawable.
        if (!std::isfinite(min)) min = 0;
        max = min + 1.0f;
        d = 1.0f;
        a = std::max(std::fabs(min), std::fabs(max));
    }
    if (a < d) a = d;
    choose_prefix(a, axis.prefix, axis.scale, false);

    const float p = std::pow(10.0f, static_cast<float>(floor_tol(std::log(d) / std::log(10.0f))));
    axis.division = division_step(d / p) * p;

    axis.min = snap_minimum(min, axis.division);
    axis.max = snap_maximum(max, axis.division);
    const int count = floor_tol((axis.max - axis.min) / axis.division + 0.001f);
    axis.division_count = std::clamp(count, 1, MAX_DIVISIONS);
    return axis;
}
