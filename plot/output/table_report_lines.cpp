#include "table_report_lines.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "engineering_notation.h"
#include "fixed_fields.h"
#include "log_axis_drawing.h"
#include "rectangular_layout.h"
#include "text_sink.h"

namespace {

// Code page 437 frame characters. The title box is drawn with double lines;
// each rule of the table is its left end, fill, crossing and right end.
struct TitleBox {
    char top_left, top_right, bottom_left, bottom_right, horizontal, vertical;
};
// ╔ ╗ ╚ ╝ ═ ║
constexpr TitleBox TITLE_BOX{'\xC9', '\xBB', '\xC8', '\xBC', '\xCD', '\xBA'};

struct Rule {
    char left, fill, middle, right;
};
constexpr Rule TABLE_TOP{'\xDA', '\xC4', '\xC2', '\xBF'};     // ┌─┬┐
constexpr Rule CAPTION_RULE{'\xC6', '\xCD', '\xD8', '\xB5'};  // ╞═╪╡
constexpr Rule ROW_RULE{'\xC3', '\xC4', '\xC5', '\xB4'};      // ├─┼┤
constexpr Rule TABLE_BOTTOM{'\xC0', '\xC4', '\xC1', '\xD9'};  // └─┴┘
constexpr char BAR = '\xB3';                                 // │

// Columns (1-based) of the three vertical bars.
constexpr int BAR_1 = 20;
constexpr int BAR_2 = 35;
constexpr int BAR_3 = 61;

const std::string MARGIN(19, ' ');

// A table rule: 14 and 25 fill characters between the three crossings.
std::string table_rule(const Rule& r) {
    return MARGIN + r.left + std::string(14, r.fill) + r.middle + std::string(25, r.fill) +
           r.right + MARGIN;
}

// A line of the title box: a blank, 76 characters between two sides, a blank.
std::string title_box_line(char left, const std::string& inside, char right) {
    return std::string(" ") + left + inside + right + " ";
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
    line[BAR_1 - 1] = BAR;
    put(line, BAR_1 + 1 + centring_offset(15, s.x_label_len), s.x_label, s.x_label_len);
    line[BAR_2 - 1] = BAR;
    put(line, BAR_2 + 1 + centring_offset(26, s.y_label_len), s.y_label, s.y_label_len);
    line[BAR_3 - 1] = BAR;
    return line;
}

float scaled(float v, float scale) { return scale != 0 ? v / scale : v; }

std::string value_line(const PlotState& s, int i, int n) {
    const auto at = [](const auto& a, int index) { return a[static_cast<std::size_t>(index)]; };
    std::string line = MARGIN + BAR + "  " +
                       fields::format_fw(scaled(at(s.plot_x, i), s.x_scale), 10, 3) + "  ";
    if (s.curve_count == 2) {
        line += BAR;
        line += " (" + fields::format_fw(scaled(at(s.plot_y, i), s.y_scale), 10, 3) + "," +
                fields::format_fw(scaled(at(s.plot_y, n + i), s.y_scale), 10, 2) + ") ";
    } else {
        line += BAR;
        line += std::string(7, ' ') + fields::format_fw(scaled(at(s.plot_y, i), s.y_scale), 10, 3) +
                std::string(8, ' ');
    }
    return line + BAR + MARGIN;
}

}  // namespace

void scale_table_axes(PlotState& s) {
    if (!s.laid_out) adopt_layout(s, rectangular_layout(s, HPGL_LOG_AXIS_COLUMNS));
    scale_axis(s.x_min, s.x_max, s.x_prefix_pos, s.x_label, s.x_prefix, s.x_scale);
    scale_axis(s.y_min, s.y_max, s.y_prefix_pos, s.y_label, s.y_prefix, s.y_scale);
}

bool write_table_lines(const PlotState& s, std::ostream& out) {
    TextSink sink(out);
    const std::string blank(TABLE_LINE_LENGTH, ' ');
    sink.line(blank);
    sink.line(blank);
    const TitleBox& box = TITLE_BOX;
    const std::string double_line(TITLE_LENGTH, box.horizontal);
    sink.line(title_box_line(box.top_left, double_line, box.top_right));
    sink.line(title_box_line(box.vertical, fixed_text(s.title, TITLE_LENGTH), box.vertical));
    sink.line(title_box_line(box.bottom_left, double_line, box.bottom_right));
    for (int i = 0; i < 3; ++i) sink.line(blank);
    sink.line(table_rule(TABLE_TOP));
    sink.line(caption_line(s));
    sink.line(table_rule(CAPTION_RULE));

    const int curves = s.curve_count == 2 ? 2 : 1;
    const int n = std::clamp(s.point_count, 0, MAX_PLOT_POINTS / curves);
    for (int i = 1; i <= n && sink.ok(); ++i) {
        sink.line(value_line(s, i, n));
        if (i < n) sink.line(table_rule(ROW_RULE));
    }
    sink.line(table_rule(TABLE_BOTTOM));
    return sink.ok();
}
