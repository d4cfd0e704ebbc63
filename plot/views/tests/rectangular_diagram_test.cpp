#include <gtest/gtest.h>

#include "engineering_notation.h"
#include "screen_fixture.h"

namespace {

using RectangularDiagramTest = DiagramTest;

TEST_F(RectangularDiagramTest, OneToTwoGigahertzIsNumberedInGHz) {
    draw(linear_sweep({0.2f, 0.5f, 0.8f}, {0, 0, 0}, 1e9f, 2e9f), MAGNITUDE);
    const PlotState& s = state;
    EXPECT_EQ(s.x_div_count, 10);
    EXPECT_FLOAT_EQ(s.x_div, 1e8f);
    // Bottom row: the x label ending at the right edge of the plot area.
    EXPECT_EQ(screen.text_at(25, 64 - 7, 7), "f [GHz]");
    EXPECT_EQ(screen.text_at(24, 4, 7), " 1.0000");
    EXPECT_EQ(screen.text_at(24, 12, 11), " 0.1000/div");
    EXPECT_EQ(screen.text_at(24, 57, 7), " 2.0000");
    // Value axis at the left: label, maximum, division and minimum.
    EXPECT_EQ(row(3), "abs(s) [mU]");
    EXPECT_EQ(screen.text_at(4, 1, 7), " 800.00");
    EXPECT_EQ(screen.text_at(18, 1, 7), " 50.000");
    EXPECT_EQ(screen.text_at(19, 1, 7), "   /div");
    EXPECT_EQ(screen.text_at(23, 1, 7), " 200.00");
}

TEST_F(RectangularDiagramTest, PhaseFromMinus170To175SpansMinus200To200) {
    draw(linear_sweep({-0.98f, 0.5f, -0.9f}, {-0.17f, 0.1f, 0.08f}, 1e9f, 2e9f), PHASE);
    const PlotState& s = state;
    ASSERT_NEAR(s.y_min_data, -170.2f, 0.5f);
    ASSERT_NEAR(s.y_max_data, 174.9f, 0.5f);
    EXPECT_FLOAT_EQ(s.y_min, -200.0f);
    EXPECT_FLOAT_EQ(s.y_max, 200.0f);
    EXPECT_EQ(s.y_div_count, 8);
    EXPECT_EQ(screen.text_at(4, 1, 7), " 200.00");
    EXPECT_EQ(screen.text_at(23, 1, 7), "-200.00");
    EXPECT_EQ(row(3), "arg(s) [ \xF8]");
}

TEST_F(RectangularDiagramTest, ASecondDrawOfASnappedRangeUsesTheCoarserDivision) {
    draw(linear_sweep({0.03f, 0.7f, 1.52f}, {0, 0, 0}, 1e9f, 2e9f), MAGNITUDE);
    EXPECT_EQ(state.y_div_count, 16);
    EXPECT_FLOAT_EQ(state.y_max, 1.6f);
    redraw();
    EXPECT_EQ(state.y_div_count, 8);
    EXPECT_FLOAT_EQ(state.y_div, 0.2f);
    EXPECT_EQ(screen.text_at(18, 1, 7), " 0.2000");
}

TEST_F(RectangularDiagramTest, AZeroMagnitudeReachesMinus1000Decibels) {
    draw(linear_sweep({0.7f, 0.0f, 0.72f, 0.69f}, {0, 0, 0, 0}, 1e9f, 2e9f), MAGNITUDE_DB);
    EXPECT_FLOAT_EQ(state.y_min_data, -999.9f);
    EXPECT_FLOAT_EQ(state.y_min, -1000.0f);
    EXPECT_FLOAT_EQ(state.y_max, 0.0f);
    // The number and the prefix of the axis label tell the same value.
    const PlotState& s = state;
    EXPECT_EQ(screen.text_at(23, 1, 7), format_number(7, -1000.0f, s.y_scale, s.y_prefix));
    EXPECT_EQ(screen.text_at(3, 11, 1), std::string(1, s.y_prefix));
}

TEST_F(RectangularDiagramTest, TwoCurvesGetALegendWithTheFirstCurvesColour) {
    draw(coupled_microstrip_s(3, 1), REAL_IMAG);  // the through path, near 1
    const std::string legend = "\xC4\xC4\xC4\xC4\xC4 real, -\xF9\xF9- imaginary";
    EXPECT_EQ(screen.text_at(3, 64 - 26, 26), legend);
    EXPECT_EQ(screen.cell_color(3, 38), 15);
    EXPECT_EQ(screen.cell_color(3, 44), 7);
    EXPECT_EQ(screen.text_at(3, 1, 6), "s [ U]");

    draw(coupled_microstrip_s(3, 1), MAGNITUDE);
    EXPECT_EQ(screen.text_at(3, 38, 26), std::string(26, ' '));
}

TEST_F(RectangularDiagramTest, FrameGridAndCurveColours) {
    draw(linear_sweep({0.2f, 0.8f}, {0, 0}, 1e9f, 2e9f), MAGNITUDE);
    // Diagram viewport: pixels 64..511 by 56..359 of the screen.
    int frame = 0, grid = 0, curve = 0;
    for (int y = 56; y <= 359; ++y) {
        frame += screen.pixel(64, y) == 7;
        bool dash = false;  // the middle line lies at pixel 287 or 288
        for (int x = 286; x <= 289; ++x) dash = dash || screen.pixel(x, y) == 3;
        grid += dash;
    }
    for (int x = 70; x < 500; ++x)
        for (int y = 57; y < 359; ++y) curve += screen.pixel(x, y) == 15;
    EXPECT_GT(frame, 290);
    EXPECT_GT(grid, 50);   // dashed
    EXPECT_LT(grid, 250);
    EXPECT_GT(curve, 400);  // a straight line across the diagram
}

TEST_F(RectangularDiagramTest, PointsFarOutsideAreClampedNotOverflowed) {
    draw(linear_sweep({0.5f, 1e30f, 0.6f, -1e30f, 0.55f}, {0, 0, 0, 0, 0}, 1e9f, 2e9f),
         REAL_IMAG);
    EXPECT_LT(state.y_min, state.y_max);
    state.y_min = 0.4f;
    state.y_max = 0.7f;
    redraw();  // the huge values lie far beyond ten ranges
    EXPECT_FLOAT_EQ(state.y_max, 0.7f);
}

}  // namespace
