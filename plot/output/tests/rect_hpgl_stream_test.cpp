#include "rect_hpgl_stream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "stream_test_support.h"

namespace {

std::string rect_text(const PlotState& s) {
    std::ostringstream out;
    EXPECT_TRUE(write_rect_hpgl_stream(s, out));
    return out.str();
}

std::size_t index_of(const std::vector<std::string>& lines, const std::string& line,
                     std::size_t from = 0) {
    auto it = std::find(lines.begin() + static_cast<long>(from), lines.end(), line);
    return static_cast<std::size_t>(it - lines.begin());
}

TEST(RectHpglStream, TwoCurvesMatchGoldenFile) {
    expect_matches_golden(rect_text(two_curve_rect_state()), "rect_two_curves.plt");
}

TEST(RectHpglStream, OneCurveMatchesGoldenFile) {
    expect_matches_golden(rect_text(one_curve_rect_state()), "rect_one_curve.plt");
}

TEST(RectHpglStream, FrameScalingAndClippingWindow) {
    for (const PlotState& s : {two_curve_rect_state(), one_curve_rect_state()}) {
        const auto lines = split_lines(rect_text(s));
        ASSERT_GT(lines.size(), 8u);
        EXPECT_EQ(lines[0], "IN;SP1;IP       250       279     10250      7479;");
        EXPECT_EQ(lines[1], "SC     -1200      1000     -1116      1192;");
        EXPECT_EQ(lines[2], "PA  -1000.000,  -1000.000; PD; ");
        EXPECT_EQ(lines[3], "PA   1000.000,  -1000.000; ");
        EXPECT_EQ(lines[4], "PA   1000.000,   1000.000; ");
        EXPECT_EQ(lines[5], "PA  -1000.000,   1000.000; ");
        EXPECT_EQ(lines[6], "PA  -1000.000,  -1000.000; PU; ");
        EXPECT_EQ(lines[7], "DI1,0; ");
        EXPECT_LT(index_of(lines, "IW      1159       639     10250      6879;"), lines.size());
        EXPECT_EQ(lines.back(), "SP0;PG;IN;");
    }
}

TEST(RectHpglStream, TwoCurvesHaveLegendPensAndLimitedFarPoints) {
    const auto lines = split_lines(rect_text(two_curve_rect_state()));
    const std::size_t real = index_of(lines, "LB real     \x03");
    const std::size_t imaginary = index_of(lines, "LB imaginary\x03");
    ASSERT_LT(imaginary, lines.size());
    EXPECT_EQ(lines[real - 2], "PR     99.000,      0.000; PU; ");
    EXPECT_EQ(lines[real + 1], "LT6;PT0.4;PD;");

    const std::size_t window = index_of(lines, "IW      1159       639     10250      6879;");
    EXPECT_EQ(lines[window + 1], "LT;PT0.6;");
    EXPECT_EQ(lines[window + 2], "PA  -1200.000,  -1116.000; ");
    EXPECT_EQ(lines[window + 3], "PA   -500.000,    500.000; PD; ");
    EXPECT_EQ(lines[window + 4], "PA   -500.000,    500.000; ");
    EXPECT_EQ(lines[window + 5], "PA      0.000,   -250.000; ");
    EXPECT_EQ(lines[window + 6], "PA    500.000,  32000.000; ");
    EXPECT_EQ(lines[window + 7], "PU;");
    EXPECT_EQ(lines[window + 8], "LT6;PT0.4;");
    EXPECT_EQ(lines[window + 13], "PA    500.000, -32000.000; ");
    EXPECT_EQ(lines[window + 14], "PU;");
    EXPECT_EQ(lines[window + 15], "PT;IW;");
}

TEST(RectHpglStream, CaptionsNumbersAndTitle) {
    const auto lines = split_lines(rect_text(two_curve_rect_state()));
    // x caption "f [MHz]" on one line, closed by the blank.
    EXPECT_LT(index_of(lines, "LBf\x03LB \x03LB[\x03LBM\x03LBH\x03LBz\x03LB]\x03 "), lines.size());
    // y caption "z [µΩ]": the micro and omega glyphs on lines of their own.
    const std::size_t y_caption = index_of(lines, "LBz\x03LB \x03LB[\x03"
                                                  "UC0,-2,99,1,8,0,-4,0.5,-2,1.5,0,0.5,1,0.5,5,0,-6,-99;");
    ASSERT_LT(y_caption + 2, lines.size());
    EXPECT_EQ(lines[y_caption + 1].substr(0, 5), "UC99,");
    EXPECT_EQ(lines[y_caption + 2], "LB]\x03 ");
    EXPECT_LT(index_of(lines, "LB 4.0000\x03"), lines.size());
    EXPECT_LT(index_of(lines, "LB 1.0000/div\x03"), lines.size());
    EXPECT_LT(index_of(lines, "LB  0.000\x03"), lines.size());
    EXPECT_LT(index_of(lines, "LB-2.0000\x03"), lines.size());
    EXPECT_LT(index_of(lines, "LB   /div\x03"), lines.size());
    EXPECT_LT(index_of(lines, "LBTwo curves" + std::string(66, ' ') + "\x03"), lines.size());
}

TEST(RectHpglStream, OneCurveHasNoLegend) {
    const std::string text = rect_text(one_curve_rect_state());
    EXPECT_EQ(text.find("LB real"), std::string::npos);
    EXPECT_EQ(text.find("LT6;"), std::string::npos);
    EXPECT_NE(text.find("LB \x03UC1.5,4,99,"), std::string::npos);  // the degree sign
}

TEST(RectHpglStream, StopsAtTheFirstFailedWrite) {
    const std::string full = rect_text(two_curve_rect_state());
    FillingBuffer buffer(700);
    std::ostream out(&buffer);
    EXPECT_FALSE(write_rect_hpgl_stream(two_curve_rect_state(), out));
    EXPECT_EQ(buffer.written(), full.substr(0, 700));
}

}  // namespace
