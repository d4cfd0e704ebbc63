#include "log_frequency_axis.h"

#include <algorithm>
#include <cmath>

#include "engineering_notation.h"

namespace {

constexpr double TOLERANCE = 1.01;       // a limit this close beyond a step snaps back to it
constexpr double DECADES_FOR_WHOLE = 3;  // wider ranges snap to whole decades
constexpr int MINOR_COLUMNS = 2;         // narrower decades get no minor lines
constexpr int MAX_DECADES = 60;          // beyond the float range anyway
constexpr double FINE_BELOW = 0.5;       // narrower ranges get minor lines at 1.1, 1.2, ...
constexpr double MINOR_NUMBERS_BELOW = 2;  // wider ranges number their decades only

// Mantissa steps of the 1-2-5 series within a decade.
constexpr double STEPS[] = {1, 2, 5, 10};

double decade_of(double v) { return std::pow(10.0, std::floor(std::log10(v))); }

// First column and last column of a number centred on column c.
struct Span {
    int first, last;
    bool clear_of(const Span& other) const { return last + 1 < other.first || other.last + 1 < first; }
};
Span centred_on(int c) { return {c - LOG_LABEL_WIDTH / 2, c + LOG_LABEL_WIDTH / 2}; }

}  // namespace

double LogFrequencyAxis::coordinate(double f) {
    return f > 0 ? std::log10(f) : -HUGE_VAL;
}

double LogFrequencyAxis::fraction(double f) const {
    return (coordinate(f) - coordinate(min)) / (coordinate(max) - coordinate(min));
}

int log_axis_column(const LogFrequencyAxis& axis, float v, int columns) {
    return static_cast<int>(std::floor(axis.fraction(v) * columns + 1e-6));
}

float log_step_at_or_below(float v) {
    const double w = v * TOLERANCE;
    const double decade = decade_of(w);
    double step = 1;
    for (double s : STEPS)
        if (s * decade <= w) step = s;
    return static_cast<float>(step * decade);
}

float log_step_at_or_above(float v) {
    const double w = v / TOLERANCE;
    const double decade = decade_of(w);
    for (double s : STEPS)
        if (s * decade >= w) return static_cast<float>(s * decade);
    return static_cast<float>(10 * decade);
}

LogFrequencyAxis layout_log_axis(float min, float max, int columns) {
    LogFrequencyAxis axis;
    // The snapped limits stay inside the float range.
    constexpr float LARGEST = 1e38f, SMALLEST = 1e-37f;
    if (!(max > 0)) max = 10;
    max = std::clamp(max, SMALLEST * 10, LARGEST);
    if (!(min > 0) || !(min < max)) min = max / 1000;
    min = std::max(min, SMALLEST);

    axis.min = log_step_at_or_below(min);
    axis.max = log_step_at_or_above(max);
    if (!(axis.max > axis.min)) axis.max = log_step_at_or_above(axis.min * 1.5f);
    if (std::log10(axis.max / axis.min) > DECADES_FOR_WHOLE) {
        axis.min = static_cast<float>(decade_of(axis.min * TOLERANCE));
        axis.max = static_cast<float>(std::pow(10.0, std::ceil(std::log10(axis.max / TOLERANCE))));
    }
    choose_prefix(axis.max, axis.prefix, axis.scale, false);

    // Grid lines, from the decade at or below the lower limit upward. A
    // line that lies on a limit is the frame, not a grid line.
    const double span = std::log10(static_cast<double>(axis.max) / axis.min);
    const bool with_minors = columns >= MINOR_COLUMNS * span;
    const double first_decade = decade_of(axis.min * TOLERANCE);
    const bool fine = span < FINE_BELOW;
    const auto inside = [&](double v) { return v > axis.min * TOLERANCE && v < axis.max / TOLERANCE; };
    struct Candidate {
        float value;
        int rank;  // 0 decade, 1 for 2 and 5, 2 for the other multiples
    };
    std::vector<Candidate> candidates;
    for (int k = 0; k <= MAX_DECADES; ++k) {
        const double decade = first_decade * std::pow(10.0, k);
        if (decade > axis.max) break;
        // Multiples of the decade in tenths: 10 is the decade itself.
        for (int m = 10; m < 100; m += fine ? 1 : 10) {
            const double v = m * decade / 10;
            if (!inside(v)) continue;
            const float value = static_cast<float>(v);
            if (m == 10)
                axis.decades.push_back(value);
            else if (with_minors)
                axis.minors.push_back(value);
            candidates.push_back({value, m == 10 ? 0 : (m == 20 || m == 50) ? 1 : 2});
        }
    }

    // Numbers: the limits' own at the ends; then decades, evenly thinned when
    // they stand closer than a number's width; then, when every decade is
    // numbered and the range spans under two decades, the 2 and 5 multiples
    // and the others where they fit.
    std::vector<Span> taken = {{-5, 1}, {columns - 8, columns - 2}};
    const auto column_of = [&](float v) { return log_axis_column(axis, v, columns); };
    const double decade_columns = columns / std::max(span, 1e-9);
    int every = 1;
    while (every * decade_columns < LOG_LABEL_WIDTH + 1 && every < MAX_DECADES) ++every;
    const int last_rank = every == 1 && span < MINOR_NUMBERS_BELOW ? 2 : 0;
    for (int rank = 0; rank <= last_rank; ++rank) {
        for (const Candidate& c : candidates) {
            if (c.rank != rank) continue;
            const long exponent = std::lround(std::log10(c.value));
            if (rank == 0 && (exponent % every + every) % every != 0) continue;
            const Span span_of_label = centred_on(column_of(c.value));
            if (!std::all_of(taken.begin(), taken.end(),
                             [&](const Span& t) { return span_of_label.clear_of(t); }))
                continue;
            taken.push_back(span_of_label);
            axis.labels.push_back(c.value);
        }
    }
    std::sort(axis.labels.begin(), axis.labels.end());
    return axis;
}
