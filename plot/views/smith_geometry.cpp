#include "smith_geometry.h"

#include <cmath>

namespace {

int steps_for_radius(float rho) {
    const int n = static_cast<int>(std::trunc(rho * 314.1593f / 3.0f));
    return n < 1 ? 1 : n;
}

}  // namespace

SmithWindow smith_window() {
    const double rw = SMITH_WINDOW_HALF_HEIGHT;
    const double shift = 0.133 * rw;
    const double lift = 0.04 * rw;
    return {-(rw / SMITH_ASPECT) - shift, lift - rw, rw / SMITH_ASPECT - shift, lift + rw};
}

ArcSteps resistance_circle_steps(float v) {
    const float a = (v - 1.0f) / (v + 1.0f);
    const float rho = (1.0f - a) / 2.0f;
    const int n = steps_for_radius(rho);
    return {n, SMITH_PI / static_cast<float>(n)};
}

ArcSteps reactance_arc_steps(float v) {
    const int n = steps_for_radius(1.0f / v);
    return {n, SMITH_PI / static_cast<float>(n)};
}

std::vector<WindowPoint> resistance_circle(float v, float sign) {
    const float a = (v - 1.0f) / (v + 1.0f);
    const float c = (a + 1.0f) / 2.0f;
    const float rho = (1.0f - a) / 2.0f;
    const ArcSteps steps = resistance_circle_steps(v);
    std::vector<WindowPoint> points;
    points.reserve(static_cast<std::size_t>(2 * steps.n + 1));
    points.push_back({sign * 1.0f, 0.0f});
    for (int i = 1; i <= 2 * steps.n; ++i) {
        const float t = static_cast<float>(i) * steps.theta;
        points.push_back({sign * (c + rho * std::cos(t)), rho * std::sin(t)});
    }
    return points;
}

std::vector<WindowPoint> reactance_arc(float v, float sign, bool upper) {
    const float rho = 1.0f / v;
    const float up = upper ? 1.0f : -1.0f;
    const ArcSteps steps = reactance_arc_steps(v);
    std::vector<WindowPoint> points;
    points.push_back({sign * 1.0f, 0.0f});
    for (int i = 1; i <= steps.n; ++i) {
        const float t = static_cast<float>(i) * steps.theta;
        const float x = 1.0f - rho * std::sin(t);
        const float y = rho - rho * std::cos(t);
        if (x * x + y * y > 1.0f) {
            const float q = 1.0f + rho * rho;
            points.push_back({sign * (1.0f - rho * rho) / q, up * 2.0f * rho / q});
            break;
        }
        points.push_back({sign * x, up * y});
    }
    return points;
}

std::vector<WindowPoint> square_marker(float x, float y, float h) {
    return {{x - h, y - h}, {x - h, y + h}, {x + h, y + h}, {x + h, y - h}, {x - h, y - h}};
}

std::vector<WindowPoint> circle_marker(float x, float y, float r) {
    int n = static_cast<int>(std::trunc(r * 3141.593f));
    if (n < 1) n = 1;
    const float theta = SMITH_PI / static_cast<float>(n);
    std::vector<WindowPoint> points;
    points.reserve(static_cast<std::size_t>(2 * n + 1));
    points.push_back({x + r, y});
    for (int i = 1; i <= 2 * n; ++i) {
        const float t = static_cast<float>(i) * theta;
        points.push_back({x + r * std::cos(t), y + r * std::sin(t)});
    }
    return points;
}

const std::vector<float>& smith_grid_values() {
    static const std::vector<float> values = [] {
        std::vector<float> v;
        for (int i = 1; i <= 5; ++i) v.push_back(0.2f * static_cast<float>(i));
        for (int i = 1; i <= 6; ++i) v.push_back(1.0f + 0.5f * static_cast<float>(i));
        v.push_back(5.0f);
        return v;
    }();
    return values;
}
