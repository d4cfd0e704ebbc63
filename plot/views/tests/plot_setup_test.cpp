#include "plot_setup.h"

#include <gtest/gtest.h>

#include <vector>

#include "axis_labels.h"

namespace {

struct Sweep {
    std::vector<float> re, im, f;
    int n() const { return static_cast<int>(f.size()); }
};

Sweep sweep(std::vector<float> re, std::vector<float> im, std::vector<float> f) {
    return {std::move(re), std::move(im), std::move(f)};
}

std::string set_up(PlotState& s, int kind, int format, const Sweep& w) {
    return set_up_plot(s, kind, format, w.n(), w.re.data(), w.im.data(), w.f.data());
}

std::string trimmed(const std::string& text) {
    return text.substr(0, text.find_last_not_of(' ') + 1);
}

TEST(AxisLabels, CarryAPrefixSlotAfterTheBracket) {
    AxisLabel x = frequency_axis_label();
    EXPECT_EQ(x.text, "f [ Hz]" + std::string(18, ' '));
    EXPECT_EQ(x.length, 7);
    EXPECT_EQ(x.prefix_pos, 4);

    AxisLabel db = value_axis_label(S_PARAMETERS, MAGNITUDE_DB);
    EXPECT_EQ(trimmed(db.text), "20log(s) [ dB]");
    EXPECT_EQ(db.prefix_pos, 11);

    EXPECT_EQ(trimmed(value_axis_label(Z_PARAMETERS, REAL_IMAG).text), "z [ \xEA]");
    EXPECT_EQ(trimmed(value_axis_label(Y_PARAMETERS, MAGNITUDE).text), "abs(y) [ S]");
    EXPECT_EQ(trimmed(value_axis_label(S_PARAMETERS, PHASE).text), "arg(s) [ \xF8]");
    EXPECT_EQ(trimmed(value_axis_label(S_PARAMETERS, REAL_IMAG).text), "s [ U]");
}

TEST(AxisLabels, WithoutBracketTheSlotIsAnAppendedBlank) {
    AxisLabel smith = value_axis_label(S_PARAMETERS, SMITH_CHART);
    EXPECT_EQ(smith.length, 2);
    EXPECT_EQ(smith.prefix_pos, 2);
    EXPECT_EQ(smith.text.size(), 25u);
    // A bracket after column 20 does not count.
    AxisLabel late = make_axis_label("abcdefghijklmnopqrstu [V]");
    EXPECT_EQ(late.prefix_pos, 26);
    EXPECT_EQ(late.length, 25);

    std::string label = frequency_axis_label().text;
    put_prefix(label, 4, 'G');
    EXPECT_EQ(trimmed(label), "f [GHz]");
}

TEST(PlotSetup, PlottedValuesOfEveryFormat) {
    Sweep w = sweep({3, 0, -1}, {4, 0, 0}, {1e9f, 2e9f, 3e9f});
    PlotState s;
    ASSERT_EQ(set_up(s, S_PARAMETERS, MAGNITUDE, w), "");
    EXPECT_EQ(s.curve_count, 1);
    EXPECT_FLOAT_EQ(s.plot_y[1], 5.0f);
    EXPECT_FLOAT_EQ(s.plot_x[3], 3e9f);

    ASSERT_EQ(set_up(s, S_PARAMETERS, PHASE, w), "");
    EXPECT_NEAR(s.plot_y[1], 53.1301f, 1e-3);
    EXPECT_EQ(s.plot_y[2], 0.0f);  // a zero value has phase 0
    EXPECT_NEAR(s.plot_y[3], 180.0f, 1e-3);

    ASSERT_EQ(set_up(s, S_PARAMETERS, MAGNITUDE_DB, w), "");
    EXPECT_NEAR(s.plot_y[1], 13.9794f, 1e-4);
    EXPECT_FLOAT_EQ(s.plot_y[2], -999.9f);
    EXPECT_FLOAT_EQ(s.y_min, -999.9f);  // the range reaches down to it

    ASSERT_EQ(set_up(s, S_PARAMETERS, REAL_IMAG, w), "");
    EXPECT_EQ(s.curve_count, 2);
    EXPECT_FLOAT_EQ(s.plot_y[1], 3.0f);
    EXPECT_FLOAT_EQ(s.plot_y[4], 4.0f);  // second curve starts at N+1
    EXPECT_FLOAT_EQ(s.plot_x[6], 3e9f);
    EXPECT_FLOAT_EQ(s.y_min, -1.0f);
    EXPECT_FLOAT_EQ(s.y_max, 4.0f);
    EXPECT_FLOAT_EQ(s.y_min_data, -1.0f);
    EXPECT_FLOAT_EQ(s.x_max_data, 3e9f);

    ASSERT_EQ(set_up(s, S_PARAMETERS, SMITH_CHART, w), "");
    EXPECT_EQ(s.curve_count, 2);
    EXPECT_FLOAT_EQ(s.plot_x[1], 3.0f);
    EXPECT_FLOAT_EQ(s.plot_y[1], 4.0f);
}

TEST(PlotSetup, SmithRangeIsTheRisingFrequencyRangeAndKeepsTheYRange) {
    Sweep w = sweep({0.1f, 0.2f, 0.3f}, {0, 0, 0}, {3e9f, 2e9f, 1e9f});
    PlotState s;
    s.y_min = -7;
    s.y_max = 9;
    ASSERT_EQ(set_up(s, S_PARAMETERS, SMITH_CHART, w), "");
    EXPECT_FLOAT_EQ(s.x_min, 1e9f);
    EXPECT_FLOAT_EQ(s.x_max, 3e9f);
    EXPECT_FLOAT_EQ(s.y_min, -7.0f);
    EXPECT_FLOAT_EQ(s.y_max_data, 9.0f);
    // Falling frequencies in a rectangular format use minimum and maximum.
    ASSERT_EQ(set_up(s, S_PARAMETERS, MAGNITUDE, w), "");
    EXPECT_FLOAT_EQ(s.x_min, 1e9f);
    EXPECT_FLOAT_EQ(s.x_max, 3e9f);
}

TEST(PlotSetup, FailureMessages) {
    PlotState s;
    Sweep one = sweep({1}, {0}, {1e9f});
    EXPECT_EQ(set_up(s, S_PARAMETERS, MAGNITUDE, one), MSG_TOO_FEW_POINTS);
    Sweep two = sweep({1, 2}, {0, 0}, {1e9f, 2e9f});
    EXPECT_EQ(set_up(s, S_PARAMETERS, MAGNITUDE, two), "");

    Sweep same_f = sweep({1, 2}, {0, 0}, {1e9f, 1e9f});
    EXPECT_EQ(set_up(s, S_PARAMETERS, SMITH_CHART, same_f), MSG_EQUAL_FREQUENCIES);
    EXPECT_EQ(set_up(s, S_PARAMETERS, MAGNITUDE, same_f), MSG_EQUAL_ABSCISSA);

    Sweep constant = sweep({0.6f, 0, -0.6f}, {0, 0.6f, 0}, {1e9f, 2e9f, 3e9f});
    EXPECT_EQ(set_up(s, S_PARAMETERS, MAGNITUDE, constant), MSG_EQUAL_ORDINATE);

    // An element that is zero everywhere: every rectangular format fails,
    // the Smith chart draws it.
    Sweep zero = sweep({0, 0, 0}, {0, 0, 0}, {1e9f, 2e9f, 3e9f});
    for (int format : {REAL_IMAG, MAGNITUDE, PHASE, MAGNITUDE_DB})
        EXPECT_EQ(set_up(s, S_PARAMETERS, format, zero), MSG_EQUAL_ORDINATE) << format;
    EXPECT_EQ(set_up(s, S_PARAMETERS, SMITH_CHART, zero), "");
}

TEST(PlotSetup, RefusesSweepsThatDoNotFitThePlotBuffer) {
    const int n = MAX_SWEEP_POINTS + 1;
    std::vector<float> v(n, 1.0f), f(n);
    for (int i = 0; i < n; ++i) f[i] = static_cast<float>(i + 1);
    PlotState s;
    EXPECT_EQ(set_up_plot(s, S_PARAMETERS, REAL_IMAG, n, v.data(), v.data(), f.data()),
              MSG_TOO_MANY_POINTS);
    EXPECT_EQ(set_up_plot(s, S_PARAMETERS, REAL_IMAG, n - 1, v.data(), f.data(), f.data()), "");
}

}  // namespace
