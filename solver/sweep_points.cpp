#include "sweep_points.h"

#include <cmath>

namespace solver {

namespace {
constexpr float DEFAULT_START_FREQUENCY = 1.0e6f;
}  // namespace

float logarithmic_point(float start, float stop, std::int32_t i, std::int32_t step_count) {
    if (i <= 0 || step_count <= 0) return start;
    if (i >= step_count) return stop;
    const double a = std::log(static_cast<double>(start));
    const double b = std::log(static_cast<double>(stop));
    const double t = static_cast<double>(i) / static_cast<double>(step_count);
    return static_cast<float>(std::exp(a + t * (b - a)));
}

FrequencySweep repaired_linear_sweep(float start, float step, std::int64_t steps) {
    FrequencySweep sweep;
    sweep.start_frequency = std::fabs(start);
    sweep.frequency_step = std::fabs(step);
    if (steps < 0) steps = steps < -MAX_FREQUENCY_STEPS ? MAX_FREQUENCY_STEPS : -steps;  // no overflow
    if (sweep.start_frequency == 0.0f)
        sweep.start_frequency = sweep.frequency_step != 0.0f ? sweep.frequency_step : DEFAULT_START_FREQUENCY;
    if (sweep.frequency_step == 0.0f) steps = 0;
    if (steps > MAX_FREQUENCY_STEPS) steps = MAX_FREQUENCY_STEPS;
    sweep.step_count = static_cast<std::int32_t>(steps);
    return sweep;
}

FrequencySweep logarithmic_sweep(float start, float stop, std::int32_t points) {
    FrequencySweep sweep;
    sweep.spacing = SweepSpacing::LOGARITHMIC;
    sweep.start_frequency = start;
    sweep.stop_frequency = stop;
    sweep.step_count = points - 1;
    return sweep;
}

bool angular_frequencies_finite(const FrequencySweep& sweep) {
    return std::isfinite(TWO_PI * sweep.last_frequency());
}

double points_per_decade(const FrequencySweep& sweep) {
    const double decades = std::log10(static_cast<double>(sweep.last_frequency()) / sweep.start_frequency);
    return decades > 0 ? sweep.step_count / decades : 0.0;
}

}  // namespace solver
