#include "smith_hpgl_stream.h"

#include <algorithm>
#include <cmath>

#include "engineering_notation.h"
#include "step_legend.h"
#include "hpgl_stream.h"

namespace {

constexpr float CHART_RADIUS = 1.0f;
constexpr float PI = 3.141593f;
// A curve point is limited to this magnitude so that it always fits the
// coordinate fields (the plotter clips it to the frame anyway).
constexpr float CURVE_LIMIT = 999.0f;

struct SmithWindow {
    float xlow, xhigh, ylow, yhigh, cx, cy;
};

SmithWindow smith_window() {
    const float t = 1.15f * CHART_RADIUS;
    SmithWindow w{};
    w.xlow = -(t / 0.75f) - 0.045f * t;
    w.xhigh = t / 0.75f - 0.045f * t;
    w.ylow = 0.04f * t - t;
    w.yhigh = 0.04f * t + t;
    w.cx = (w.xhigh - w.xlow) / HPGL_TEXT_COLUMNS;
    w.cy = (w.yhigh - w.ylow) / HPGL_TEXT_ROWS;
    return w;
}

void square(HpglStream& gl, float x, float y, float h) {
    gl.line("LT;PT;");
    gl.move_down(x - h, y - h);
    gl.move(x - h, y + h);
    gl.move(x + h, y + h);
    gl.move(x + h, y - h);
    gl.move_up(x - h, y - h);
}

void start_marker(HpglStream& gl, float x, float y) {
    square(gl, x, y, 0.01f);
    square(gl, x, y, 0.0067f);
    square(gl, x, y, 0.0033f);
}

void stop_marker(HpglStream& gl, float x, float y) { square(gl, x, y, 0.01f); }

void step_marker(HpglStream& gl, float x, float y) {
    gl.line("LT;PT2.0;");
    gl.move_down(x, y);
    gl.move_up(x, y);
    gl.line("LT;PT;");
}

int segment_count(float r) { return std::max(1, static_cast<int>(r * 314.1593f / 3.0f)); }

// The circle of constant resistance (or conductance) v; g mirrors x.
void resistance_circle(HpglStream& gl, float v, float g) {
    const float a = (v - 1.0f) / (v + 1.0f);
    const float c = (a + 1.0f) / 2.0f;
    const float r = (1.0f - a) / 2.0f;
    const int n = segment_count(r);
    const float e = PI / static_cast<float>(n);
    gl.move_down(g * 1.0f, 0.0f);
    float x = g, y = 0.0f;
    for (int i = 1; i <= 2 * n && gl.ok(); ++i) {
        const float angle = static_cast<float>(i) * e;
        x = g * (r * std::cos(angle) + c);
        y = r * std::sin(angle);
        gl.move(x, y);
    }
    gl.move_up(x, y);
}

// The arc of constant reactance (or susceptance) v from the chart's right
// end to the outer circle; side +1 above the real axis, -1 below.
void reactance_arc(HpglStream& gl, float v, float g, float side) {
    const float r = 1.0f / v;
    const int n = segment_count(r);
    const float e = PI / static_cast<float>(n);
    gl.move_down(g * 1.0f, 0.0f);
    float x = g, y = 0.0f;
    for (int i = 1; i <= n && gl.ok(); ++i) {
        const float angle = static_cast<float>(i) * e;
        float big_x = 1.0f - r * std::sin(angle);
        float big_y = side * (r - r * std::cos(angle));
        const bool outside = big_x * big_x + big_y * big_y > 1.0f;
        if (outside) {
            big_x = (1.0f - r * r) / (1.0f + r * r);
            big_y = side * 2.0f * r / (1.0f + r * r);
        }
        x = g * big_x;
        y = big_y;
        gl.move(x, y);
        if (outside) break;
    }
    gl.move_up(x, y);
}

void grid_curves(HpglStream& gl, float v, float g) {
    resistance_circle(gl, v, g);
    reactance_arc(gl, v, g, 1.0f);
    reactance_arc(gl, v, g, -1.0f);
}

std::string frequency_text(const PlotState& s, const char* name, float value) {
    return std::string(name) + format_number(7, value, s.x_scale, s.x_prefix) + " " + s.x_prefix +
           "Hz";
}

}  // namespace

bool write_smith_hpgl_stream(const PlotState& s, std::ostream& out) {
    TextSink sink(out);
    HpglStream gl(sink, 5);
    const SmithWindow w = smith_window();
    const float R = CHART_RADIUS;

    gl.integer_line("IN;SP1;IP", HPGL_P1_X, HPGL_P1_Y, HPGL_P1_X + HPGL_SMITH_WIDTH,
                    HPGL_P1_Y + HPGL_HEIGHT);
    gl.real_line("SC", w.xlow, w.xhigh, w.ylow, w.yhigh);
    gl.integer_line("IW", HPGL_P1_X, HPGL_P1_Y, HPGL_P1_X + HPGL_SMITH_WIDTH,
                    HPGL_P1_Y + HPGL_HEIGHT);
    gl.line("PT0.4;LT;");

    // Outer circle.
    gl.move_down(R, 0.0f);
    const float d = 6.283185f / 360.0f;
    float x = R, y = 0.0f;
    for (int i = 1; i <= 360 && gl.ok(); ++i) {
        const float angle = static_cast<float>(i) * d;
        x = R * std::cos(angle);
        y = R * std::sin(angle);
        gl.move(x, y);
    }
    gl.move_up(x, y);

    gl.line("PT0.2;LT2,1;");
    gl.move_down(-R, 0.0f);
    gl.move_up(R, 0.0f);

    const float g = s.smith_grid_sign;
    for (int i = 1; i <= 5 && gl.ok(); ++i) grid_curves(gl, 0.2f * static_cast<float>(i), g);
    for (int i = 1; i <= 6 && gl.ok(); ++i)
        grid_curves(gl, 1.0f + 0.5f * static_cast<float>(i), g);
    grid_curves(gl, 5.0f, g);

    gl.line("PT0.3;LT;");
    gl.move_down(-0.01f, -0.01f);
    gl.move_up(0.01f, 0.01f);
    gl.move_down(-0.01f, 0.01f);
    gl.move_up(0.01f, -0.01f);

    gl.line("PT;LT;");
    const int n = std::clamp(s.point_count, 0, MAX_PLOT_POINTS);
    const float fstep = n > 1 ? (s.x_max_data - s.x_min_data) / static_cast<float>(n - 1) : 0.0f;
    gl.move(w.xlow + 3 * w.cx, w.ylow + 1.5f * w.cy);
    gl.label(frequency_text(s, "fstop ", s.x_max));
    stop_marker(gl, w.xlow + w.cx, w.ylow + 2 * w.cy);
    gl.move(w.xlow + 3 * w.cx, w.ylow + 3.5f * w.cy);
    gl.label(step_legend_text(s.spacing, fstep, n, s.x_scale, s.x_prefix));
    step_marker(gl, w.xlow + w.cx, w.ylow + 4 * w.cy);
    gl.move(w.xlow + 3 * w.cx, w.ylow + 5.5f * w.cy);
    gl.label(frequency_text(s, "fstart", s.x_min));
    start_marker(gl, w.xlow + w.cx, w.ylow + 6 * w.cy);

    const char* texts[] = {
        nullptr,
        "Smith Chart",
        g > 0 ? "impedance grid:" : "admittance grid:",
        "0, 0.2, 0.4,",
        "0.6, 0.8, 1,",
        "1.5, 2, 2.5,",
        "3, 3.5, 4, 5",
    };
    for (int k = 0; k < 7; ++k) {
        gl.move(w.xlow, w.yhigh - (1.5f + 2.0f * static_cast<float>(k)) * w.cy);
        gl.label(k == 0 ? fixed_text(s.title, TITLE_LENGTH) : std::string(texts[k]));
    }

    gl.line("LT;PT0.6;");
    if (n >= 1) {
        const auto px = [&](int i) {
            return limited_coordinate(s.plot_x[static_cast<std::size_t>(i)], CURVE_LIMIT);
        };
        const auto py = [&](int i) {
            return limited_coordinate(s.plot_y[static_cast<std::size_t>(i)], CURVE_LIMIT);
        };
        gl.move_down(px(1), py(1));
        for (int i = 2; i <= n && gl.ok(); ++i) gl.move(px(i), py(i));
        gl.move_up(px(n), py(n));
        start_marker(gl, px(1), py(1));
        for (int i = 2; i <= n - 1 && gl.ok(); ++i) step_marker(gl, px(i), py(i));
        if (n >= 2) stop_marker(gl, px(n), py(n));
    }
    gl.line("PT;IW;");
    gl.line("SP0;PG;IN;");
    return gl.ok();
}
