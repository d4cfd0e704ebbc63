#include "stream_test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

void set_label(std::string& label, int& length, int& prefix_pos, const std::string& text) {
    label = text;
    label.resize(LABEL_LENGTH, ' ');
    length = static_cast<int>(text.size());
    prefix_pos = static_cast<int>(text.find('[')) + 2;
}

void set_points(PlotState& s, const std::vector<float>& x, const std::vector<float>& y) {
    for (std::size_t i = 0; i < x.size(); ++i) {
        s.plot_x[i + 1] = x[i];
        s.plot_y[i + 1] = y[i];
    }
}

}  // namespace

PlotState small_smith_state(float grid_sign) {
    PlotState s;
    s.curve_count = 2;
    s.point_count = 3;
    set_points(s, {0.5f, 0.1f, -0.4f}, {0.2f, -0.3f, 0.05f});
    s.x_min = s.x_min_data = 1e9f;
    s.x_max = s.x_max_data = 3e9f;
    s.x_scale = 1e9f;
    s.x_prefix = 'G';
    set_label(s.x_label, s.x_label_len, s.x_prefix_pos, "f [GHz]");
    set_label(s.y_label, s.y_label_len, s.y_prefix_pos, "s ");
    s.title = "Smith test";
    s.title.resize(TITLE_LENGTH, ' ');
    s.diagram_on_screen = DiagramKind::SMITH;
    s.smith_grid_sign = grid_sign;
    return s;
}

PlotState two_curve_rect_state() {
    PlotState s;
    s.curve_count = 2;
    s.point_count = 3;
    // Curve 1 (real part) then curve 2 (imaginary part).
    set_points(s, {1e6f, 2e6f, 3e6f, 1e6f, 2e6f, 3e6f},
               {1e-6f, -0.5e-6f, 1e-3f, -1e-6f, 0.0f, -1.0f});
    s.x_min = 0.0f;
    s.x_max = 4e6f;
    s.x_div = 1e6f;
    s.x_div_count = 4;
    s.y_min = -2e-6f;
    s.y_max = 2e-6f;
    s.y_div = 1e-6f;
    s.y_div_count = 4;
    s.x_scale = 1e6f;
    s.x_prefix = 'M';
    s.y_scale = 1e-6f;
    s.y_prefix = '\xE6';
    set_label(s.x_label, s.x_label_len, s.x_prefix_pos, "f [MHz]");
    set_label(s.y_label, s.y_label_len, s.y_prefix_pos, "z [\xE6\xEA]");
    s.title = "Two curves";
    s.title.resize(TITLE_LENGTH, ' ');
    s.diagram_on_screen = DiagramKind::RECTANGULAR;
    return s;
}

PlotState one_curve_rect_state() {
    PlotState s;
    s.curve_count = 1;
    s.point_count = 3;
    set_points(s, {1e6f, 2e6f, 3e6f}, {-90.0f, 45.5f, 170.25f});
    s.x_min = 1e6f;
    s.x_max = 3e6f;
    s.x_div = 0.5e6f;
    s.x_div_count = 4;
    s.y_min = -180.0f;
    s.y_max = 180.0f;
    s.y_div = 90.0f;
    s.y_div_count = 4;
    s.x_scale = 1e6f;
    s.x_prefix = 'M';
    s.y_scale = 1.0f;
    s.y_prefix = ' ';
    set_label(s.x_label, s.x_label_len, s.x_prefix_pos, "f [MHz]");
    set_label(s.y_label, s.y_label_len, s.y_prefix_pos, "arg(s) [ \xF8]");
    s.title = "One curve";
    s.title.resize(TITLE_LENGTH, ' ');
    s.diagram_on_screen = DiagramKind::RECTANGULAR;
    return s;
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
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in) << "missing golden file " << path;
    std::stringstream golden;
    golden << in.rdbuf();
    const auto expected = split_lines(golden.str());
    const auto actual = split_lines(text);
    ASSERT_EQ(actual.size(), expected.size()) << name;
    for (std::size_t i = 0; i < expected.size(); ++i)
        ASSERT_EQ(actual[i], expected[i]) << name << " line " << i + 1;
    EXPECT_EQ(text, golden.str());
}
