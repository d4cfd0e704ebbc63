#include "smith_hpgl_stream.h"

#include <gtest/gtest.h>

#include "stream_test_support.h"

namespace {

std::string smith_text(const PlotState& s) { return stream_text(write_smith_hpgl_stream, s); }

TEST(SmithHpglStream, ImpedanceChartMatchesGoldenFile) {
    expect_matches_golden(smith_text(small_smith_state(1.0f)), "smith_impedance.plt");
}

TEST(SmithHpglStream, HeaderWindowAndFirstPointOfTheOuterCircle) {
    const auto lines = split_lines(smith_text(small_smith_state(1.0f)));
    ASSERT_GT(lines.size(), 5u);
    expect_lines_at(lines, 0,
                    {"IN;SP1;IP       250       279      9850      7479;",
                     "SC  -1.58508   1.48158  -1.10400   1.19600;",
                     "IW       250       279      9850      7479;", "PT0.4;LT;",
                     "PA    1.00000,    0.00000; PD; "});
    // 360 moves around the circle, the last one repeated as move-up; then
    // the real axis.
    expect_lines_at(lines, 364,
                    {"PA    1.00000,    0.00000; ", "PA    1.00000,    0.00000; PU; ",
                     "PT0.2;LT2,1;", "PA   -1.00000,    0.00000; PD; ",
                     "PA    1.00000,    0.00000; PU; "});
    expect_lines_at(lines, lines.size() - 2, {"PT;IW;", "SP0;PG;IN;"});
}

TEST(SmithHpglStream, LegendTextsAndCurve) {
    const auto lines = split_lines(smith_text(small_smith_state(1.0f)));
    EXPECT_TRUE(has_line(lines, "LBfstop  3.0000 GHz\x03"));
    EXPECT_TRUE(has_line(lines, "LBfstep  1.0000 GHz\x03"));
    EXPECT_TRUE(has_line(lines, "LBfstart 1.0000 GHz\x03"));
    EXPECT_TRUE(has_line(lines, "LBSmith test" + std::string(66, ' ') + "\x03"));
    EXPECT_TRUE(has_line(lines, "LBimpedance grid:\x03"));
    EXPECT_TRUE(has_line(lines, "LB3, 3.5, 4, 5\x03"));

    const std::size_t curve = index_of(lines, "LT;PT0.6;");
    expect_lines_at(lines, curve + 1,
                    {"PA    0.50000,    0.20000; PD; ", "PA    0.10000,   -0.30000; ",
                     "PA   -0.40000,    0.05000; ", "PA   -0.40000,    0.05000; PU; ",
                     // Start marker: three squares of six lines each.
                     "LT;PT;", "PA    0.49000,    0.19000; PD; "});
    // One step marker, then the stop marker.
    expect_lines_at(lines, curve + 5 + 18,
                    {"LT;PT2.0;", "PA    0.10000,   -0.30000; PD; ",
                     "PA    0.10000,   -0.30000; PU; ", "LT;PT;", "LT;PT;",
                     "PA   -0.41000,    0.04000; PD; "});
    expect_lines_at(lines, curve + 5 + 28, {"PT;IW;"});
}

TEST(SmithHpglStream, AdmittanceGridMirrorsOnlyTheGrid) {
    const auto z = split_lines(smith_text(small_smith_state(1.0f)));
    const auto y = split_lines(smith_text(small_smith_state(-1.0f)));
    ASSERT_EQ(z.size(), y.size());
    const std::size_t grid_begin = index_of(z, "PT0.2;LT2,1;") + 3;  // after the real axis
    const std::size_t grid_end = index_of(z, "PT0.3;LT;");
    ASSERT_LT(grid_end, z.size());
    int mirrored = 0;
    for (std::size_t i = 0; i < z.size(); ++i) {
        if (i >= grid_begin && i < grid_end) {
            // "PA " x(10) "," y(11) ...: the x field is negated, the rest equal.
            const double zx = std::stod(z[i].substr(3, 10));
            const double yx = std::stod(y[i].substr(3, 10));
            EXPECT_DOUBLE_EQ(yx, -zx) << "line " << i + 1;
            EXPECT_EQ(y[i].substr(13), z[i].substr(13)) << "line " << i + 1;
            ++mirrored;
        } else if (z[i] == "LBimpedance grid:\x03") {
            EXPECT_EQ(y[i], "LBadmittance grid:\x03");
        } else {
            EXPECT_EQ(y[i], z[i]) << "line " << i + 1;
        }
    }
    EXPECT_GT(mirrored, 500);
}

TEST(SmithHpglStream, FarAwayPointStillFitsItsFields) {
    PlotState s = small_smith_state(1.0f);
    s.plot_x[2] = 5e6f;
    s.plot_y[2] = -7e7f;
    const std::string text = smith_text(s);
    EXPECT_EQ(text.find('*'), std::string::npos);
    EXPECT_NE(text.find("PA  999.00000, -999.00000; \n"), std::string::npos);
}

TEST(SmithHpglStream, StopsAtTheFirstFailedWrite) {
    expect_stops_at_first_failed_write(write_smith_hpgl_stream, small_smith_state(1.0f), 1000);
}

}  // namespace
