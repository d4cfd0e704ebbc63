// Rectangular diagrams on a logarithmic frequency axis, and the Smith
// chart's legend of a logarithmic sweep, on the headless screen.
#include <gtest/gtest.h>

#include <cmath>

#include "log_axis_drawing.h"
#include "screen_fixture.h"

namespace {

using LogFrequencyDiagramTest = DiagramTest;

// 41 points from 10 kHz to 100 MHz, ten per decade, whose magnitude rises
// tenfold per decade (20 dB per decade).
ElementSweep crosstalk_sweep() {
    ElementSweep w;
    for (int i = 0; i <= 40; ++i) {
        const double f = 1e4 * std::pow(10.0, i / 10.0);
        w.f.push_back(static_cast<float>(f));
        w.re.push_back(static_cast<float>(3e-9 * f));
        w.im.push_back(0);
    }
    return w;
}

TEST_F(LogFrequencyDiagramTest, DecadesAreNumberedWhereTheLinearAxisShowsItsDivision) {
    state.log_frequency = true;
    draw(crosstalk_sweep(), MAGNITUDE_DB);
    EXPECT_FLOAT_EQ(state.x_min, 1e4f);
    EXPECT_FLOAT_EQ(state.x_max, 1e8f);
    EXPECT_EQ(state.x_div_count, 0);
    EXPECT_EQ(screen.text_at(25, 64 - 7, 7), "f [MHz]");
    // Row 24: 10 kHz at the left, 100 MHz at the right, the decades between,
    // each centred on its grid line (14 columns apart); no "/div".
    EXPECT_EQ(screen.text_at(24, 4, 7), " 0.0100");
    EXPECT_EQ(screen.text_at(24, 9 + 14 - 3, 7), " 0.1000");
    EXPECT_EQ(screen.text_at(24, 9 + 28 - 3, 7), " 1.0000");
    EXPECT_EQ(screen.text_at(24, 9 + 42 - 3, 7), " 10.000");
    EXPECT_EQ(screen.text_at(24, 57, 7), " 100.00");
    EXPECT_EQ(screen.row_text(24).find("/div"), std::string::npos);
    // The value axis keeps its linear scaling.
    EXPECT_EQ(screen.text_at(19, 1, 7), "   /div");
}

TEST_F(LogFrequencyDiagramTest, TwentyDecibelsPerDecadeIsAStraightLine) {
    state.log_frequency = true;
    draw(crosstalk_sweep(), MAGNITUDE_DB);
    // The curve's pixels: in every decade's column band the curve climbs by
    // the same number of pixel rows.
    const ScreenLayout& l = screen_layout();
    const int x0 = l.plot_pixels.x1 + 8 * l.cell_width, x1 = l.plot_pixels.x2;
    const auto curve_row = [&](double fraction) {
        const int x = x0 + static_cast<int>(std::lround(fraction * (x1 - x0)));
        for (int y = l.plot_pixels.y1; y <= l.plot_pixels.y2; ++y)
            if (screen.pixel(x, y) == COLOR_BRIGHT) return y;
        return -1;
    };
    const int rows[] = {curve_row(0.125), curve_row(0.375), curve_row(0.625), curve_row(0.875)};
    for (int k = 0; k < 4; ++k) ASSERT_GT(rows[k], 0) << k;
    EXPECT_NEAR(rows[0] - rows[1], rows[1] - rows[2], 1);
    EXPECT_NEAR(rows[1] - rows[2], rows[2] - rows[3], 1);
    EXPECT_GT(rows[0] - rows[1], 20);
}

TEST_F(LogFrequencyDiagramTest, ScaleEditsSnapToOneTwoFiveSteps) {
    state.log_frequency = true;
    draw(crosstalk_sweep(), MAGNITUDE_DB);
    state.x_min = 3e5f;  // as typed into the scale editor
    state.x_max = 4.2e6f;
    redraw();
    EXPECT_FLOAT_EQ(state.x_min, 2e5f);
    EXPECT_FLOAT_EQ(state.x_max, 5e6f);
    state.x_min = 0;  // a lower limit a logarithmic axis cannot show
    redraw();
    EXPECT_FLOAT_EQ(state.x_min, 1e4f);  // the lowest frequency plotted
}

TEST_F(LogFrequencyDiagramTest, SmithChartIsUnaffectedButItsLegendShowsTheSweep) {
    state.log_frequency = true;
    ElementSweep w = crosstalk_sweep();
    draw(w, SMITH_CHART);
    EXPECT_NE(screen.row_text(24).find("log    10.000/dec"), std::string::npos) << screen.row_text(24);
    w = linear_sweep({0.1f, 0.2f, 0.3f}, {0, 0, 0}, 1e9f, 2e9f);
    draw(w, SMITH_CHART);
    EXPECT_NE(screen.row_text(24).find("fstep  0.5000 GHz"), std::string::npos) << screen.row_text(24);
}

}  // namespace
