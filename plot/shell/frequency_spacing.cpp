#include "frequency_spacing.h"

#include <cmath>

namespace {

constexpr double TOLERANCE = 0.01;         // of the mean step
constexpr double ROUNDING = 1.0 / (1 << 21);  // of the value: a few units of a 32-bit real's last place

template <class Value>
bool on_a_straight_line(const float* f, int n, Value value) {
    const double first = value(f[0]);
    const double mean_step = (value(f[n - 1]) - first) / (n - 1);
    if (!std::isfinite(mean_step)) return false;
    for (int k = 1; k < n - 1; ++k) {
        const double expected = first + k * mean_step;
        const double allowed = std::fmax(TOLERANCE * std::fabs(mean_step), ROUNDING * std::fabs(expected));
        if (!(std::fabs(value(f[k]) - expected) <= allowed)) return false;
    }
    return true;
}

}  // namespace

FrequencySpacing frequency_spacing(const float* f, int n) {
    FrequencySpacing spacing;
    if (n < 3 || on_a_straight_line(f, n, [](float v) { return static_cast<double>(v); })) return spacing;
    bool positive = true;
    for (int k = 0; k < n; ++k) positive = positive && f[k] > 0;
    const auto log10_of = [](float v) { return std::log10(static_cast<double>(v)); };
    if (positive && f[n - 1] != f[0] && on_a_straight_line(f, n, log10_of)) {
        spacing.kind = SpacingKind::LOGARITHMIC;
        spacing.points_per_decade = (n - 1) / std::fabs(log10_of(f[n - 1]) - log10_of(f[0]));
        return spacing;
    }
    spacing.kind = SpacingKind::UNEVEN;
    return spacing;
}
