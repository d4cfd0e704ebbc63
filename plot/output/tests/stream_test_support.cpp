#include "stream_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

// Range, divisions, and scale with its prefix letter of one axis.
struct Axis {
    float min, max, div;
    int div_count;
    float scale;
    char prefix;
};

void set_axis(float& min, float& max, float& div, int& div_count, float& scale, char& prefix,
              const Axis& axis) {
    min = axis.min;
    max = axis.max;
    div = axis.div;
    div_count = axis.div_count;
    scale = axis.scale;
    prefix = axis.prefix;
}

void set_label(std::string& label, int& length, int& prefix_pos, const std::string& text) {
    label = text;
    label.resize(LABEL_LENGTH, ' ');
    length = static_cast<int>(text.size());
    prefix_pos = static_cast<int>(text.find('[')) + 2;
}

// Points of `curves` curves (x and y hold all curves, one after the other),
// the title and the diagram on the screen.
PlotState plotted(DiagramKind diagram, int curves, const std::vector<float>& x,
                  const std::vector<float>& y, const std::string& title) {
    PlotState s;
    s.diagram_on_screen = diagram;
    s.curve_count = curves;
    s.point_count = static_cast<int>(x.size()) / curves;
    for (std::size_t i = 0; i < x.size(); ++i) {
        s.plot_x[i + 1] = x[i];
        s.plot_y[i + 1] = y[i];
    }
    s.title = title;
    s.title.resize(TITLE_LENGTH, ' ');
    s.laid_out = true;  // the axes below are those of the diagram shown
    return s;
}

}  // namespace

PlotState small_smith_state(float grid_sign) {
    // The Smith chart's curve is stored as one curve of complex values.
    PlotState s = plotted(DiagramKind::SMITH, 1, {0.5f, 0.1f, -0.4f}, {0.2f, -0.3f, 0.05f},
                          "Smith test");
    s.curve_count = 2;
    s.x_min = s.x_min_data = 1e9f;
    s.x_max = s.x_max_data = 3e9f;
    s.x_scale = 1e9f;
    s.x_prefix = 'G';
    set_label(s.x_label, s.x_label_len, s.x_prefix_pos, "f [GHz]");
    set_label(s.y_label, s.y_label_len, s.y_prefix_pos, "s ");
    s.smith_grid_sign = grid_sign;
    return s;
}

PlotState two_curve_rect_state() {
    // Curve 1 (real part) then curve 2 (imaginary part).
    PlotState s = plotted(DiagramKind::RECTANGULAR, 2, {1e6f, 2e6f, 3e6f, 1e6f, 2e6f, 3e6f},
                          {1e-6f, -0.5e-6f, 1e-3f, -1e-6f, 0.0f, -1.0f}, "Two curves");
    set_axis(s.x_min, s.x_max, s.x_div, s.x_div_count, s.x_scale, s.x_prefix,
             {0.0f, 4e6f, 1e6f, 4, 1e6f, 'M'});
    set_axis(s.y_min, s.y_max, s.y_div, s.y_div_count, s.y_scale, s.y_prefix,
             {-2e-6f, 2e-6f, 1e-6f, 4, 1e-6f, '\xE6'});
    set_label(s.x_label, s.x_label_len, s.x_prefix_pos, "f [MHz]");
    set_label(s.y_label, s.y_label_len, s.y_prefix_pos, "z [\xE6\xEA]");
    return s;
}

PlotState one_curve_rect_state() {
    PlotState s = plotted(DiagramKind::RECTANGULAR, 1, {1e6f, 2e6f, 3e6f},
                          {-90.0f, 45.5f, 170.25f}, "One curve");
    set_axis(s.x_min, s.x_max, s.x_div, s.x_div_count, s.x_scale, s.x_prefix,
             {1e6f, 3e6f, 0.5e6f, 4, 1e6f, 'M'});
    set_axis(s.y_min, s.y_max, s.y_div, s.y_div_count, s.y_scale, s.y_prefix,
             {-180.0f, 180.0f, 90.0f, 4, 1.0f, ' '});
    set_label(s.x_label, s.x_label_len, s.x_prefix_pos, "f [MHz]");
    set_label(s.y_label, s.y_label_len, s.y_prefix_pos, "arg(s) [ \xF8]");
    return s;
}

std::string stream_text(StreamWriter writer, const PlotState& s) {
    std::ostringstream out;
    EXPECT_TRUE(writer(s, out));
    return out.str();
}

void expect_stops_at_first_failed_write(StreamWriter writer, const PlotState& s,
                                        std::size_t limit) {
    const std::string full = stream_text(writer, s);
    ASSERT_GT(full.size(), limit);
    FillingBuffer buffer(limit);
    std::ostream out(&buffer);
    EXPECT_FALSE(writer(s, out));
    EXPECT_EQ(buffer.written(), full.substr(0, limit));
}

std::size_t index_of(const std::vector<std::string>& lines, const std::string& line,
                     std::size_t from) {
    const auto begin = lines.begin() + static_cast<std::ptrdiff_t>(std::min(from, lines.size()));
    return static_cast<std::size_t>(std::find(begin, lines.end(), line) - lines.begin());
}

void expect_lines_at(const std::vector<std::string>& lines, std::size_t first,
                     const std::vector<std::string>& expected) {
    ASSERT_LE(first + expected.size(), lines.size()) << "from line " << first + 1;
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(lines[first + i], expected[i]) << "line " << first + i + 1;
}

bool has_line(const std::vector<std::string>& lines, const std::string& line) {
    return index_of(lines, line) < lines.size();
}

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> split_lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

void expect_matches_golden(const std::string& text, const std::string& name) {
    const std::string path = std::string(PLOT_OUTPUT_GOLDEN_DIR) + "/" + name;
    const char* update = std::getenv("MTL_UPDATE_GOLDEN");
    if (update != nullptr && std::string(update) == "1") {
        std::ofstream(path, std::ios::binary) << text;
        return;
    }
    ASSERT_TRUE(std::ifstream(path)) << "missing golden file " << path;
    const std::string golden = read_file(path);
    const auto expected = split_lines(golden);
    const auto actual = split_lines(text);
    ASSERT_EQ(actual.size(), expected.size()) << name;
    for (std::size_t i = 0; i < expected.size(); ++i)
        ASSERT_EQ(actual[i], expected[i]) << name << " line " << i + 1;
    EXPECT_EQ(text, golden);
}
