#include "smith_hpgl_stream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "stream_test_support.h"

namespace {

std::string smith_text(const PlotState& s) {
    std::ostringstream out;
    EXPECT_TRUE(write_smith_hpgl_stream(s, out));
    return out.str();
}

std::size_t index_of(const std::vector<std::string>& lines, const std::string& line,
                     std::size_t from = 0) {
    auto it = std::find(lines.begin() + static_cast<long>(from), lines.end(), line);
    return static_cast<std::size_t>(it - lines.begin());
}

TEST(SmithHpglStream, ImpedanceChartMatchesGoldenFile) {
    expect_matches_golden(smith_text(small_smith_state(1.0f)), "smith_impedance.plt");
}

TEST(SmithHpglStream, HeaderWindowAndFirstPointOfTheOuterCircle) {
    const auto lines = split_lines(smith_text(small_smith_state(1.0f)));
    ASSERT_GT(lines.size(), 5u);
    EXPECT_EQ(lines[0], "IN;SP1;IP       250       279      9850      7479;");
    EXPECT_EQ(lines[1], "SC  -1.58508   1.48158  -1.10400   1.19600;");
    EXPECT_EQ(lines[2], "IW       250       279      9850      7479;");
    EXPECT_EQ(lines[3], "PT0.4;LT;");
    EXPECT_EQ(lines[4], "PA    1.00000,    0.00000; PD; ");
    // 360 moves around the circle, the last one repeated as move-up.
    EXPECT_EQ(lines[364], "PA    1.00000,    0.00000; ");
    EXPECT_EQ(lines[365], "PA    1.00000,    0.00000; PU; ");
    EXPECT_EQ(lines[366], "PT0.2;LT2,1;");
    EXPECT_EQ(lines[367], "PA   -1.00000,    0.00000; PD; ");
    EXPECT_EQ(lines[368], "PA    1.00000,    0.00000; PU; ");
    EXPECT_EQ(lines.back(), "SP0;PG;IN;");
    EXPECT_EQ(lines[lines.size() - 2], "PT;IW;");
}

TEST(SmithHpglStream, LegendTextsAndCurve) {
    const auto lines = split_lines(smith_text(small_smith_state(1.0f)));
    EXPECT_LT(index_of(lines, "LBfstop  3.0000 GHz\x03"), lines.size());
    EXPECT_LT(index_of(lines, "LBfstep  1.0000 GHz\x03"), lines.size());
    EXPECT_LT(index_of(lines, "LBfstart 1.0000 GHz\x03"), lines.size());
    EXPECT_LT(index_of(lines, "LBSmith test" + std::string(66, ' ') + "\x03"), lines.size());
    EXPECT_LT(index_of(lines, "LBimpedance grid:\x03"), lines.size());
    EXPECT_LT(index_of(lines, "LB3, 3.5, 4, 5\x03"), lines.size());

    const std::size_t curve = index_of(lines, "LT;PT0.6;");
    ASSERT_LT(curve + 5, lines.size());
    EXPECT_EQ(lines[curve + 1], "PA    0.50000,    0.20000; PD; ");
    EXPECT_EQ(lines[curve + 2], "PA    0.10000,   -0.30000; ");
    EXPECT_EQ(lines[curve + 3], "PA   -0.40000,    0.05000; ");
    EXPECT_EQ(lines[curve + 4], "PA   -0.40000,    0.05000; PU; ");
    // Start marker (three squares), one step marker, stop marker.
    EXPECT_EQ(lines[curve + 5], "LT;PT;");
    EXPECT_EQ(lines[curve + 6], "PA    0.49000,    0.19000; PD; ");
    EXPECT_EQ(lines[curve + 5 + 18], "LT;PT2.0;");
    EXPECT_EQ(lines[curve + 5 + 19], "PA    0.10000,   -0.30000; PD; ");
    EXPECT_EQ(lines[curve + 5 + 22], "LT;PT;");
    EXPECT_EQ(lines[curve + 5 + 23], "PA   -0.41000,    0.04000; PD; ");
    EXPECT_EQ(lines[curve + 5 + 28], "PT;IW;");
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
    const std::string full = smith_text(small_smith_state(1.0f));
    FillingBuffer buffer(1000);
    std::ostream out(&buffer);
    EXPECT_FALSE(write_smith_hpgl_stream(small_smith_state(1.0f), out));
    EXPECT_EQ(buffer.written(), full.substr(0, 1000));
}

}  // namespace
