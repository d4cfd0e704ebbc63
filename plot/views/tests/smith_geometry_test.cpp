#include "smith_geometry.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(SmithGeometry, ArcStepCountsFollowTheRadius) {
    ArcSteps wide = reactance_arc_steps(0.2f);  // radius 5
    EXPECT_EQ(wide.n, 523);
    EXPECT_FLOAT_EQ(wide.theta, 3.141593f / 523);
    ArcSteps tight = reactance_arc_steps(5.0f);  // radius 0.2
    EXPECT_EQ(tight.n, 20);
    EXPECT_FLOAT_EQ(tight.theta, 3.141593f / 20);
    EXPECT_EQ(resistance_circle_steps(1.0f).n, 52);  // radius 0.5
    EXPECT_EQ(resistance_circle_steps(5.0f).n, 17);  // radius 1/6
}

TEST(SmithGeometry, AWideReactanceArcStopsAtTheOuterCircle) {
    auto arc = reactance_arc(0.2f, 1.0f, true);
    // Start point, about 66 steps inside the chart and the exact crossing.
    EXPECT_GE(arc.size(), 66u);
    EXPECT_LE(arc.size(), 68u);
    const WindowPoint end = arc.back();
    EXPECT_NEAR(end.x, (1 - 25.0f) / 26.0f, 1e-6);
    EXPECT_NEAR(end.y, 10.0f / 26.0f, 1e-6);
    EXPECT_NEAR(std::hypot(end.x, end.y), 1.0f, 1e-6);
    for (std::size_t i = 0; i + 1 < arc.size(); ++i)
        EXPECT_LE(std::hypot(arc[i].x, arc[i].y), 1.0f + 1e-6) << i;

    auto lower = reactance_arc(0.2f, 1.0f, false);
    ASSERT_EQ(lower.size(), arc.size());
    for (std::size_t i = 0; i < arc.size(); ++i) EXPECT_FLOAT_EQ(lower[i].y, -arc[i].y);

    // A tight arc ends inside its n steps on the outer circle as well.
    auto tight = reactance_arc(5.0f, 1.0f, true);
    EXPECT_LE(tight.size(), 21u);
    EXPECT_NEAR(std::hypot(tight.back().x, tight.back().y), 1.0f, 1e-5);
}

TEST(SmithGeometry, ResistanceCirclesTouchThePointOfInfiniteImpedance) {
    auto circle = resistance_circle(1.0f, 1.0f);
    ASSERT_EQ(circle.size(), 2u * 52 + 1);
    EXPECT_FLOAT_EQ(circle.front().x, 1.0f);
    for (const WindowPoint& p : circle) EXPECT_NEAR(std::hypot(p.x - 0.5f, p.y), 0.5f, 1e-5);
    EXPECT_NEAR(circle.back().x, 1.0f, 1e-5);
    EXPECT_NEAR(circle.back().y, 0.0f, 1e-5);
}

TEST(SmithGeometry, TheAdmittanceGridIsTheMirroredImpedanceGrid) {
    for (float v : smith_grid_values()) {
        auto z = resistance_circle(v, 1.0f);
        auto y = resistance_circle(v, -1.0f);
        ASSERT_EQ(z.size(), y.size());
        EXPECT_FLOAT_EQ(y.front().x, -1.0f);
        for (std::size_t i = 0; i < z.size(); ++i) {
            EXPECT_FLOAT_EQ(y[i].x, -z[i].x);
            EXPECT_FLOAT_EQ(y[i].y, z[i].y);
        }
        auto za = reactance_arc(v, 1.0f, true);
        auto ya = reactance_arc(v, -1.0f, true);
        ASSERT_EQ(za.size(), ya.size());
        EXPECT_FLOAT_EQ(ya.back().x, -za.back().x);
    }
}

TEST(SmithGeometry, TheChartSitsRightOfTheWindowCentreAndLow) {
    SmithWindow w = smith_window();
    EXPECT_NEAR(w.right - w.left, 2 * 1.05 / 0.75, 1e-6);
    EXPECT_NEAR((w.left + w.right) / 2, -0.133 * 1.05, 1e-6);  // chart right of centre
    EXPECT_NEAR(w.top - 1.0, 0.05 + 0.042, 1e-6);              // more room above
    EXPECT_NEAR(-1.0 - w.bottom, 0.05 - 0.042, 1e-6);          // the chart sits low
}

}  // namespace
