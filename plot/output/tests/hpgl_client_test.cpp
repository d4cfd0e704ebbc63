// An independent HP-GL reader (hp2xx) converts our plot files to pictures.
//
// hp2xx follows the later dialect in which IW takes user units once SC is
// in effect, while our files give the clipping window in plotter units as
// pen plotters read it. Besides the file as written, each test therefore
// also converts a copy whose IW parameters are translated to user units.
// Both pictures of every file are kept as PNG files in the build tree
// (plot/output/tests/hp2xx): the one of the file as written lacks what
// hp2xx clips away after IW, the translated one shows the drawing.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <utility>
#include <vector>

#include "hpgl_stream.h"
#include "rect_hpgl_stream.h"
#include "smith_hpgl_stream.h"
#include "stream_test_support.h"

namespace {

namespace fs = std::filesystem;

bool have_tool(const char* name) {
    return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0;
}

fs::path output_dir() {
    fs::path dir = fs::path(PLOT_OUTPUT_TEST_OUTPUT_DIR) / "hp2xx";
    fs::create_directories(dir);
    return dir;
}

// The IW instructions with parameters translated from plotter units to the
// user units of the preceding IP and SC.
std::string with_user_unit_windows(const std::string& text) {
    std::istringstream in(text);
    std::ostringstream out;
    std::string line;
    double ip[4] = {0, 0, 1, 1}, sc[4] = {0, 1, 0, 1};
    bool scaled = false;
    const std::regex ip_re(R"(IN;SP1;IP\s*(\S+)\s+(\S+)\s+(\S+)\s+(\S+);)");
    const std::regex sc_re(R"(SC\s*(\S+)\s+(\S+)\s+(\S+)\s+(\S+);)");
    const std::regex iw_re(R"(IW\s*(\S+)\s+(\S+)\s+(\S+)\s+(\S+);)");
    std::smatch m;
    while (std::getline(in, line)) {
        if (std::regex_match(line, m, ip_re)) {
            for (int i = 0; i < 4; ++i) ip[i] = std::stod(m[i + 1]);
        } else if (std::regex_match(line, m, sc_re)) {
            for (int i = 0; i < 4; ++i) sc[i] = std::stod(m[i + 1]);
            scaled = true;
        } else if (scaled && std::regex_match(line, m, iw_re)) {
            auto ux = [&](double p) {
                return sc[0] + (p - ip[0]) / (ip[2] - ip[0]) * (sc[1] - sc[0]);
            };
            auto uy = [&](double p) {
                return sc[2] + (p - ip[1]) / (ip[3] - ip[1]) * (sc[3] - sc[2]);
            };
            char buf[160];
            std::snprintf(buf, sizeof buf, "IW%.6f,%.6f,%.6f,%.6f;", ux(std::stod(m[1])),
                          uy(std::stod(m[2])), ux(std::stod(m[3])), uy(std::stod(m[4])));
            line = buf;
        }
        out << line << '\n';
    }
    return out.str();
}

struct Conversion {
    int status = -1;
    std::string log;
};

Conversion convert(const fs::path& plt, const fs::path& png) {
    const fs::path log = png.string() + ".log";
    const std::string command = "hp2xx -m png -d 100 -f '" + png.string() + "' '" + plt.string() +
                                "' </dev/null >'" + log.string() + "' 2>&1";
    Conversion c;
    c.status = std::system(command.c_str());
    c.log = read_file(log.string());
    return c;
}

void expect_clean_conversion(const std::string& text, const std::string& base) {
    const fs::path dir = output_dir();
    const fs::path plt = dir / (base + ".plt");
    std::ofstream(plt, std::ios::binary) << text;
    const Conversion as_written = convert(plt, dir / (base + ".png"));
    EXPECT_EQ(as_written.status, 0) << as_written.log;
    EXPECT_NE(as_written.log.find("HPGL command(s) ignored: 0"), std::string::npos)
        << as_written.log;
    EXPECT_NE(as_written.log.find("Unexpected event(s):  0"), std::string::npos) << as_written.log;
    EXPECT_TRUE(fs::exists(dir / (base + ".png")));

    const fs::path adapted = dir / (base + "_user_units.plt");
    std::ofstream(adapted, std::ios::binary) << with_user_unit_windows(text);
    const Conversion shown = convert(adapted, dir / (base + "_user_units.png"));
    EXPECT_EQ(shown.status, 0) << shown.log;
    EXPECT_NE(shown.log.find("HPGL command(s) ignored: 0"), std::string::npos) << shown.log;
    // Something was drawn: the coordinate range is no longer the empty one.
    EXPECT_EQ(shown.log.find("Coordinate range: (1e+10"), std::string::npos) << shown.log;
    EXPECT_GT(fs::file_size(dir / (base + "_user_units.png")), 2000u);
}

// A transmission line's reflection spiralling inwards over 1..3 GHz.
PlotState spiral_smith_state(float grid_sign) {
    PlotState s = small_smith_state(grid_sign);
    const int n = 41;
    s.point_count = n;
    for (int i = 1; i <= n; ++i) {
        const float t = static_cast<float>(i - 1) / static_cast<float>(n - 1);
        const float radius = 0.8f - 0.4f * t;
        const float angle = 0.5f - 9.0f * t;
        s.plot_x[static_cast<std::size_t>(i)] = radius * std::cos(angle);
        s.plot_y[static_cast<std::size_t>(i)] = radius * std::sin(angle);
    }
    s.title = "Reflection of a lossy line";
    s.title.resize(TITLE_LENGTH, ' ');
    return s;
}

TEST(HpglClient, SmithChartConvertsWithoutErrors) {
    if (!have_tool("hp2xx")) GTEST_SKIP() << "hp2xx is not installed";
    std::ostringstream z, y;
    ASSERT_TRUE(write_smith_hpgl_stream(spiral_smith_state(1.0f), z));
    ASSERT_TRUE(write_smith_hpgl_stream(spiral_smith_state(-1.0f), y));
    expect_clean_conversion(z.str(), "smith_impedance");
    expect_clean_conversion(y.str(), "smith_admittance");
}

TEST(HpglClient, RectangularDiagramsConvertWithoutErrors) {
    if (!have_tool("hp2xx")) GTEST_SKIP() << "hp2xx is not installed";
    std::ostringstream two, one;
    ASSERT_TRUE(write_rect_hpgl_stream(two_curve_rect_state(), two));
    ASSERT_TRUE(write_rect_hpgl_stream(one_curve_rect_state(), one));
    expect_clean_conversion(two.str(), "rect_two_curves");
    expect_clean_conversion(one.str(), "rect_one_curve");
}

// A crosstalk curve rising 20 dB per decade from 10 kHz to 100 MHz on a
// logarithmic frequency axis: decade and minor grid lines, decade numbers.
TEST(HpglClient, LogarithmicFrequencyAxisConvertsWithoutErrors) {
    if (!have_tool("hp2xx")) GTEST_SKIP() << "hp2xx is not installed";
    PlotState s = one_curve_rect_state();
    s.log_frequency = true;
    s.point_count = 41;
    for (int i = 1; i <= 41; ++i) {
        s.plot_x[static_cast<std::size_t>(i)] = static_cast<float>(1e4 * std::pow(10.0, (i - 1) / 10.0));
        s.plot_y[static_cast<std::size_t>(i)] = -80.0f + 2.0f * static_cast<float>(i - 1);
    }
    s.x_min = 1e4f;
    s.x_max = 1e8f;
    s.y_min = -80.0f;
    s.y_max = 0.0f;
    s.y_div = 10.0f;
    s.y_div_count = 8;
    std::ostringstream log;
    ASSERT_TRUE(write_rect_hpgl_stream(s, log));
    const std::string text = log.str();
    EXPECT_NE(text.find("LT1,1;PT0.1;"), std::string::npos);  // the minor lines
    for (const char* number : {" 0.0100", " 0.1000", " 1.0000", " 10.000", " 100.00"})
        EXPECT_NE(text.find(std::string("LB") + number + HPGL_LABEL_END), std::string::npos) << number;
    EXPECT_FALSE(std::regex_search(text, std::regex("[0-9]/div")));  // no x division
    // The curve is a straight line in plotter units: equal rises per decade.
    const std::regex point(R"(PA\s+(-?[0-9.]+),\s+(-?[0-9.]+); $)");
    std::vector<std::pair<double, double>> curve;
    std::istringstream lines(text.substr(text.rfind("LT;PT0.6;")));
    for (std::string line; std::getline(lines, line);) {
        std::smatch m;
        if (std::regex_match(line, m, point)) curve.emplace_back(std::stod(m[1]), std::stod(m[2]));
    }
    ASSERT_EQ(curve.size(), 42u);  // the move to the corner, then the points
    curve.erase(curve.begin());
    const double slope = (curve.back().second - curve.front().second) / (curve.back().first - curve.front().first);
    for (const auto& [u, w] : curve) EXPECT_NEAR(w, curve.front().second + slope * (u - curve.front().first), 0.01);
    expect_clean_conversion(text, "rect_log_frequency");
}

}  // namespace
