#include <gtest/gtest.h>

#include "screen_fixture.h"

namespace {

class SmithChartTest : public DiagramTest {
protected:
    void draw(const ElementSweep& w) { DiagramTest::draw(w, SMITH_CHART); }
    // Pixels of a colour in the plot area.
    int count(int color) const {
        int n = 0;
        for (int y = 16; y <= 399; ++y)
            for (int x = 0; x <= 511; ++x) n += screen.pixel(x, y) == color;
        return n;
    }
};

TEST_F(SmithChartTest, FrequencyAnnotationUsesTheFrequencyPrefix) {
    draw(linear_sweep({0.1f, 0.2f, 0.3f, 0.2f, 0.1f}, {0, 0.1f, 0, -0.1f, 0}, 1e9f, 2e9f));
    EXPECT_EQ(state.x_prefix, 'G');
    EXPECT_EQ(screen.text_at(23, 3, 17), "fstart 1.0000 GHz");
    EXPECT_EQ(screen.text_at(24, 3, 17), "fstep  0.2500 GHz");
    EXPECT_EQ(screen.text_at(25, 3, 17), "fstop  2.0000 GHz");
    EXPECT_EQ(row(3), "Smith Chart");
    EXPECT_EQ(row(4), "impedance grid:");
    EXPECT_EQ(row(5), "0, 0.2, 0.4,");
    EXPECT_EQ(row(8), "3, 3.5, 4, 5");
}

TEST_F(SmithChartTest, FallingFrequenciesAreAnnotatedInRisingOrder) {
    draw(linear_sweep({0.1f, 0.2f, 0.3f}, {0, 0, 0}, 300e6f, 100e6f));
    EXPECT_EQ(screen.text_at(23, 3, 17), "fstart 100.00 MHz");
    EXPECT_EQ(screen.text_at(25, 3, 17), "fstop  300.00 MHz");
}

TEST_F(SmithChartTest, TheAdmittanceGridMirrorsOnlyTheGrid) {
    ElementSweep w = coupled_microstrip_s(3, 1);
    draw(w);
    const int grid_z = count(3), curve_z = count(15);
    state.smith_grid_sign = -1.0f;
    draw(w);
    EXPECT_EQ(row(4), "admittance grid:");
    // A mirrored grid has about as many pixels; the curve is the same.
    EXPECT_NEAR(count(3), grid_z, grid_z / 50);
    EXPECT_NEAR(count(15), curve_z, curve_z / 50);

    // Chart centre at (0, 0): 1/0.75*1.05 + 0.133*1.05 window units from the
    // left of 512 pixels; the resistance circles touch (-1, 0) now.
    const double units_per_pixel = 2 * 1.05 / 0.75 / 512;
    const int centre_x = static_cast<int>((1.05 / 0.75 + 0.133 * 1.05) / units_per_pixel);
    const int left_x = static_cast<int>((1.05 / 0.75 + 0.133 * 1.05 - 1.0) / units_per_pixel);
    const int axis_y = 16 + static_cast<int>((0.04 * 1.05 + 1.05) / (2.1 / 384));
    int grid_near_left = 0, grid_near_right = 0;
    for (int y = axis_y - 40; y <= axis_y + 40; ++y)
        for (int dx = 2; dx <= 12; ++dx) {
            grid_near_left += screen.pixel(left_x + dx, y) == 3;
            grid_near_right += screen.pixel(2 * centre_x - left_x - dx, y) == 3;
        }
    EXPECT_GT(grid_near_left, 3 * grid_near_right);
}

TEST_F(SmithChartTest, TwoPointsHaveNoStepMarks) {
    draw(linear_sweep({0.0f, 0.5f}, {0.0f, 0.0f}, 1e9f, 2e9f));
    const int two = count(15);
    draw(linear_sweep({0.0f, 0.25f, 0.5f}, {0.0f, 0.0f, 0.0f}, 1e9f, 2e9f));
    EXPECT_GT(count(15), two);  // the step mark in the middle
}

TEST_F(SmithChartTest, FarPointsAreDrawnWithoutTrouble) {
    draw(linear_sweep({0.5f, 3e30f, -0.5f}, {0.1f, -4e30f, 0.2f}, 1e9f, 2e9f));
    EXPECT_GT(count(15), 0);
}

}  // namespace
