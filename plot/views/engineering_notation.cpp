#include "engineering_notation.h"

#include <cmath>
#include <limits>

#include "fixed_fields.h"

int floor_tol(float x) {
    if (std::isnan(x)) return 0;
    constexpr float LIMIT = 2.0e9f;  // keeps the integer conversion defined
    if (x > LIMIT) return std::numeric_limits<int>::max();
    if (x < -LIMIT) return std::numeric_limits<int>::min();
    if (x >= 0) return static_cast<int>(std::trunc(x));
    return static_cast<int>(std::trunc(0.99999f * x)) - 1;
}

namespace {

char prefix_for_exponent(int exponent) {
    switch (exponent) {
        case 12: return 'T';
        case 9: return 'G';
        case 6: return 'M';
        case 3: return 'k';
        case 0: return ' ';
        case -3: return 'm';
        case -6: return MICRO_PREFIX;
        case -9: return 'n';
        case -12: return 'p';
        case -15: return 'f';
        case -18: return 'a';
        default: return '*';
    }
}

}  // namespace

bool choose_prefix(float value, char& prefix, float& scale, bool keep) {
    char candidate_prefix = ' ';
    float candidate_scale = 1.0f;
    if (value != 0 && std::isfinite(value)) {
        int e = floor_tol(std::log10(std::fabs(value * 1.0001f)));
        int exponent = 3 * floor_tol(static_cast<float>(e) / 3.0f);
        candidate_scale = std::pow(10.0f, static_cast<float>(exponent));
        candidate_prefix = prefix_for_exponent(exponent);
    } else if (value != 0) {
        candidate_prefix = '*';
    }
    const bool kept = keep && scale != 0;
    if (kept) {
        if (value == 0) return false;
        float r = std::fabs(value / scale);
        if (r > 0.1f && r < 10000.0f) return false;
    }
    prefix = candidate_prefix;
    scale = candidate_scale;
    return kept;
}

std::string format_number(int width, float value, float scale, char prefix) {
    using fields::format_ew;
    using fields::format_fw;
    if (prefix == '*') {
        if (width == 6) return value < 0 ? fields::asterisks(6) : format_ew(value, 6, 0);
        if (width == 7) return format_ew(value, 7, 0);
        return format_ew(value, width, 3);
    }
    float r = value / scale;
    if (width == 6) {
        if ((r >= 0.1f && r < 10000.0f) || r == 0) return format_fw(r, 6, 1);
        if (value >= 0) return format_ew(r, 6, 0);
        return fields::asterisks(6);
    }
    float x = std::fabs(r);
    if (width == 7) {
        if (x >= 99900.0f) return format_ew(r, 7, 0);
        if (x > 9990.0f) return format_fw(r, 7, 0);
        if (x > 999.0f) return format_fw(r, 7, 1);
        if (x > 99.9f) return format_fw(r, 7, 2);
        if (x > 9.99f) return format_fw(r, 7, 3);
        if (x > 0.000999f) return format_fw(r, 7, 4);
        if (x == 0) return format_fw(r, 7, 3);
        return format_ew(r, 7, 0);
    }
    if ((x >= 0.01f && x < 100000.0f) || x == 0) return format_fw(r, width, 3);
    return format_ew(r, width, 3);
}
