#include "hpgl_stream.h"

#include <algorithm>
#include <cmath>

#include "fixed_fields.h"

float limited_coordinate(float v, float limit) {
    if (std::isnan(v)) return 0.0f;
    return std::clamp(v, -limit, limit);
}

std::string HpglStream::x_field(float x) const { return fields::format_fw(x, 10, decimals_); }

std::string HpglStream::y_field(float y) const { return fields::format_fw(y, 11, decimals_); }

void HpglStream::coordinate_line(const char* start, float x, float y, const char* end) {
    sink_.line(start + x_field(x) + "," + y_field(y) + end);
}

void HpglStream::label(const std::string& text) {
    sink_.line("LB" + text + HPGL_LABEL_END);
}

void HpglStream::integer_line(const std::string& prefix, int a, int b, int c, int d) {
    using fields::format_iw;
    sink_.line(prefix + format_iw(a, 10) + format_iw(b, 10) + format_iw(c, 10) +
               format_iw(d, 10) + ";");
}

void HpglStream::real_line(const std::string& prefix, float a, float b, float c, float d) {
    sink_.line(prefix + x_field(a) + x_field(b) + x_field(c) + x_field(d) + ";");
}
