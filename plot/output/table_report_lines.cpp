#include "table_report_lines.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "engineering_notation.h"
#include "fixed_fields.h"
#include "text_sink.h"

namespace {

// Code page 437 frame characters.
constexpr char DOUBLE_DOWN_RIGHT = '\xC9';    // top-left double corner
constexpr char DOUBLE_HORIZONTAL = '\xCD';
constexpr char DOUBLE_DOWN_LEFT = '\xBB';
constexpr char DOUBLE_VERTICAL = '\xBA';
constexpr char DOUBLE_UP_RIGHT = '\xC8';
constexpr char DOUBLE_UP_LEFT = '\xBC';
constexpr char LIGHT_DOWN_RIGHT = '\xDA';
constexpr char LIGHT_HORIZONTAL = '\xC4';
constexpr char LIGHT_DOWN_HORIZONTAL = '\xC2';
constexpr char LIGHT_DOWN_LEFT = '\xBF';
constexpr char LIGHT_VERTICAL = '\xB3';
constexpr char LIGHT_UP_RIGHT = '\xC0';
constexpr char LIGHT_UP_HORIZONTAL = '\xC1';
constexpr char LIGHT_UP_LEFT = '\xD9';
constexpr char DOUBLE_RIGHT_LIGHT = '\xC6';    // vertical light, right double
constexpr char DOUBLE_CROSS_LIGHT = '\xD8';
constexpr char DOUBLE_LEFT_LIGHT = '\xB5';
constexpr char LIGHT_VERTICAL_RIGHT = '\xC3';
constexpr char LIGHT_CROSS = '\xC5';
constexpr char LIGHT_VERTICAL_LEFT = '\xB4';

// Columns (1-based) of the three vertical bars.
constexpr int BAR_1 = 20;
constexpr int BAR_2 = 35;
constexpr int BAR_3 = 61;

const std::string MARGIN(19, ' ');

// A table rule: left, 14 times fill, middle, 25 times fill, right.
std::string rule(char left, char fill, char middle, char right) {
    return MARGIN + left + std::string(14, fill) + middle + std::string(25, fill) + right +
           MARGIN;
}

void scale_axis(float lo, float hi, int prefix_pos, std::string& label, char& prefix,
                float& scale) {
    if (prefix_pos > 1) {
        choose_prefix(std::max(std::fabs(lo), std::fabs(hi)), prefix, scale, false);
        if (prefix_pos <= static_cast<int>(label.size()))
            label[static_cast<std::size_t>(prefix_pos - 1)] = prefix;
    } else {
        prefix = ' ';
        scale = 1.0f;
    }
}

// Puts the first length characters of text into line from column on.
void put(std::string& line, int column, const std::string& text, int length) {
    const int n = std::clamp(length, 0, static_cast<int>(text.size()));
    for (int i = 0; i < n; ++i) {
        const int at = column - 1 + i;
        if (at >= 0 && at < TABLE_LINE_LENGTH)
            line[static_cast<std::size_t>(at)] = text[static_cast<std::size_t>(i)];
    }
}

int centring_offset(int width, int length) {
    const int k = (width - length) / 2;
    return k < 1 ? 0 : k;
}

std::string caption_line(const PlotState& s) {
    std::string line(TABLE_LINE_LENGTH, ' ');
    line[BAR_1 - 1] = LIGHT_VERTICAL;
    put(line, BAR_1 + 1 + centring_offset(15, s.x_label_len), s.x_label, s.x_label_len);
    line[BAR_2 - 1] = LIGHT_VERTICAL;
    put(line, BAR_2 + 1 + centring_offset(26, s.y_label_len), s.y_label, s.y_label_len);
    line[BAR_3 - 1] = LIGHT_VERTICAL;
    return line;
}

float scaled(float v, float scale) { return scale != 0 ? v / scale : v; }

std::string value_line(const PlotState& s, int i, int n) {
    const auto at = [](const auto& a, int index) { return a[static_cast<std::size_t>(index)]; };
    std::string line = MARGIN + LIGHT_VERTICAL + "  " +
                       fields::format_fw(scaled(at(s.plot_x, i), s.x_scale), 10, 3) + "  ";
    if (s.curve_count == 2) {
        line += LIGHT_VERTICAL;
        line += " (" + fields::format_fw(scaled(at(s.plot_y, i), s.y_scale), 10, 3) + "," +
                fields::format_fw(scaled(at(s.plot_y, n + i), s.y_scale), 10, 2) + ") ";
    } else {
        line += LIGHT_VERTICAL;
        line += std::string(7, ' ') + fields::format_fw(scaled(at(s.plot_y, i), s.y_scale), 10, 3) +
                std::string(8, ' ');
    }
    return line + LIGHT_VERTICAL + MARGIN;
}

}  // namespace

void scale_table_axes(PlotState& s) {
    scale_axis(s.x_min, s.x_max, s.x_prefix_pos, s.x_label, s.x_prefix, s.x_scale);
    scale_axis(s.y_min, s.y_max, s.y_prefix_pos, s.y_label, s.y_prefix, s.y_scale);
}

bool write_table_lines(const PlotState& s, std::ostream& out) {
    TextSink sink(out);
    const std::string blank(TABLE_LINE_LENGTH, ' ');
    sink.line(blank);
    sink.line(blank);
    sink.line(std::string(" ") + DOUBLE_DOWN_RIGHT + std::string(TITLE_LENGTH, DOUBLE_HORIZONTAL) +
              DOUBLE_DOWN_LEFT + " ");
    sink.line(std::string(" ") + DOUBLE_VERTICAL + fixed_text(s.title, TITLE_LENGTH) +
              DOUBLE_VERTICAL + " ");
    sink.line(std::string(" ") + DOUBLE_UP_RIGHT + std::string(TITLE_LENGTH, DOUBLE_HORIZONTAL) +
              DOUBLE_UP_LEFT + " ");
    for (int i = 0; i < 3; ++i) sink.line(blank);
    sink.line(rule(LIGHT_DOWN_RIGHT, LIGHT_HORIZONTAL, LIGHT_DOWN_HORIZONTAL, LIGHT_DOWN_LEFT));
    sink.line(caption_line(s));
    sink.line(rule(DOUBLE_RIGHT_LIGHT, DOUBLE_HORIZONTAL, DOUBLE_CROSS_LIGHT, DOUBLE_LEFT_LIGHT));

    const int curves = s.curve_count == 2 ? 2 : 1;
    const int n = std::clamp(s.point_count, 0, MAX_PLOT_POINTS / curves);
    for (int i = 1; i <= n && sink.ok(); ++i) {
        sink.line(value_line(s, i, n));
        if (i < n)
            sink.line(rule(LIGHT_VERTICAL_RIGHT, LIGHT_HORIZONTAL, LIGHT_CROSS, LIGHT_VERTICAL_LEFT));
    }
    sink.line(rule(LIGHT_UP_RIGHT, LIGHT_HORIZONTAL, LIGHT_UP_HORIZONTAL, LIGHT_UP_LEFT));
    return sink.ok();
}
