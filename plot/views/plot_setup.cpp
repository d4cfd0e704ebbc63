#include "plot_setup.h"

#include <cmath>

#include "axis_labels.h"

float phase_degrees(float re, float im) {
    if (re == 0 && im == 0) return 0;
    return std::atan2(im, re) * 57.29578f;
}

float magnitude_db(float re, float im) {
    float m = std::sqrt(re * re + im * im);
    if (m == 0) return -999.9f;
    return std::log(m) * 8.685889f;
}

namespace {

void fill_values(PlotState& s, int format, int n, const float* re, const float* im,
                 const float* f) {
    for (int i = 1; i <= n; ++i) {
        const float r = re[i - 1];
        const float m = im[i - 1];
        const float fr = f[i - 1];
        switch (format) {
            case SMITH_CHART:
                s.plot_x[i] = r;
                s.plot_y[i] = m;
                break;
            case MAGNITUDE:
                s.plot_x[i] = fr;
                s.plot_y[i] = std::sqrt(r * r + m * m);
                break;
            case PHASE:
                s.plot_x[i] = fr;
                s.plot_y[i] = phase_degrees(r, m);
                break;
            case MAGNITUDE_DB:
                s.plot_x[i] = fr;
                s.plot_y[i] = magnitude_db(r, m);
                break;
            default:  // REAL_IMAG
                s.plot_x[i] = fr;
                s.plot_y[i] = r;
                s.plot_x[n + i] = fr;
                s.plot_y[n + i] = m;
                break;
        }
    }
    s.curve_count = (format == MAGNITUDE || format == PHASE || format == MAGNITUDE_DB) ? 1 : 2;
}

void store_label(const AxisFields& axis, const AxisLabel& label) {
    axis.label = label.text;
    axis.label_len = label.length;
    axis.prefix_pos = label.prefix_pos;
}

}  // namespace

std::string set_up_plot(PlotState& s, int kind, int format, int n, const float* re,
                        const float* im, const float* f) {
    if (n <= 1) return MSG_TOO_FEW_POINTS;
    if (n > MAX_SWEEP_POINTS) return MSG_TOO_MANY_POINTS;
    if (format < SMITH_CHART || format > MAGNITUDE_DB) format = REAL_IMAG;

    store_label(x_axis(s), frequency_axis_label());
    store_label(y_axis(s), value_axis_label(kind, format));
    s.point_count = n;

    fill_values(s, format, n, re, im, f);

    float x_min, x_max, y_min = s.y_min, y_max = s.y_max;
    if (format == SMITH_CHART) {
        x_min = f[0];
        x_max = f[n - 1];
        if (x_min > x_max) std::swap(x_min, x_max);
        if (x_min == x_max) return MSG_EQUAL_FREQUENCIES;
    } else {
        x_min = 1e15f;
        x_max = -1e15f;
        y_min = 1e15f;
        y_max = -1e15f;
        const int total = s.curve_count * n;
        for (int i = 1; i <= total; ++i) {
            x_min = std::fmin(x_min, s.plot_x[i]);
            x_max = std::fmax(x_max, s.plot_x[i]);
            y_min = std::fmin(y_min, s.plot_y[i]);
            y_max = std::fmax(y_max, s.plot_y[i]);
        }
        // Without a single finite value the scan leaves the starting values
        // crossed over; such data has no range to draw either.
        if (!(x_min < x_max)) return MSG_EQUAL_ABSCISSA;
        if (!(y_min < y_max)) return MSG_EQUAL_ORDINATE;
    }
    s.laid_out = false;
    s.spacing = frequency_spacing(f, n);
    s.x_min = s.x_min_data = x_min;
    s.x_max = s.x_max_data = x_max;
    s.y_min = s.y_min_data = y_min;
    s.y_max = s.y_max_data = y_max;
    return {};
}
