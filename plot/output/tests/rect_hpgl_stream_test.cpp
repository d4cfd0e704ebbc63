#include "rect_hpgl_stream.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>

#include "diagram_drawers.h"
#include "headless_screen.h"
#include "hpgl_glyphs.h"
#include "plot_setup.h"
#include "table_report_lines.h"
#include "stream_test_support.h"

namespace {

std::string rect_text(const PlotState& s) { return stream_text(write_rect_hpgl_stream, s); }

// The writers lay a diagram out as the screen drawer does: a plot that was
// set up but never drawn gives the same HP-GL file and table as after
// drawing (the drawer's layout of a range is not idempotent, so a writer
// that laid out the drawn range again would differ), also on a logarithmic
// frequency axis.
TEST(RectHpglStream, AnUndrawnPlotIsLaidOutAsTheScreenShowsIt) {
    HeadlessScreen screen;
    const float f[] = {1e9f, 1.5e9f, 2e9f};
    const float re[] = {0.03f, 0.7f, 1.52f}, im[] = {0, 0, 0};
    const std::pair<int, bool> cases[] = {
        {MAGNITUDE, false}, {REAL_IMAG, false}, {MAGNITUDE_DB, false}, {MAGNITUDE_DB, true}};
    for (const auto& [format, log] : cases) {
        auto fresh = std::make_unique<PlotState>();
        fresh->log_frequency = log;
        ASSERT_EQ(set_up_plot(*fresh, S_PARAMETERS, format, 3, re, im, f), "");
        auto drawn = std::make_unique<PlotState>(*fresh);
        draw_rectangular(*drawn);
        EXPECT_EQ(rect_text(*fresh), rect_text(*drawn)) << format << (log ? " log" : "");
        EXPECT_FALSE(fresh->laid_out);
        scale_table_axes(*fresh);
        scale_table_axes(*drawn);
        EXPECT_EQ(stream_text(write_table_lines, *fresh), stream_text(write_table_lines, *drawn));
        if (format != MAGNITUDE || log) continue;
        // Laid out once more, this range takes coarser divisions.
        auto again = std::make_unique<PlotState>(*drawn);
        again->laid_out = false;
        EXPECT_NE(rect_text(*again), rect_text(*drawn));
    }
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
        expect_lines_at(lines, 0,
                        {"IN;SP1;IP       250       279     10250      7479;",
                         "SC     -1200      1000     -1116      1192;",
                         "PA  -1000.000,  -1000.000; PD; ", "PA   1000.000,  -1000.000; ",
                         "PA   1000.000,   1000.000; ", "PA  -1000.000,   1000.000; ",
                         "PA  -1000.000,  -1000.000; PU; ", "DI1,0; "});
        EXPECT_TRUE(has_line(lines, "IW      1159       639     10250      6879;"));
        EXPECT_EQ(lines.back(), "SP0;PG;IN;");
    }
}

TEST(RectHpglStream, TwoCurvesHaveLegendPensAndLimitedFarPoints) {
    const auto lines = split_lines(rect_text(two_curve_rect_state()));
    const std::size_t real = index_of(lines, "LB real     \x03");
    const std::size_t imaginary = index_of(lines, "LB imaginary\x03");
    ASSERT_LT(imaginary, lines.size());
    ASSERT_GE(real, 2u);
    expect_lines_at(lines, real - 2,
                    {"PR     99.000,      0.000; PU; ", "PT;", "LB real     \x03", "LT6;PT0.4;PD;",
                     "PR     99.000,      0.000; PU; ", "PT;", "LB imaginary\x03"});

    // Each curve starts at the lower-left corner of the window; the far
    // point is limited to 32000.
    const std::size_t window = index_of(lines, "IW      1159       639     10250      6879;");
    expect_lines_at(lines, window + 1,
                    {"LT;PT0.6;", "PA  -1200.000,  -1116.000; ", "PA   -500.000,    500.000; PD; ",
                     "PA   -500.000,    500.000; ", "PA      0.000,   -250.000; ",
                     "PA    500.000,  32000.000; ", "PU;", "LT6;PT0.4;"});
    expect_lines_at(lines, window + 13, {"PA    500.000, -32000.000; ", "PU;", "PT;IW;"});
}

TEST(RectHpglStream, CaptionsNumbersAndTitle) {
    const auto lines = split_lines(rect_text(two_curve_rect_state()));
    // x caption "f [MHz]" on one line, closed by the blank.
    EXPECT_TRUE(has_line(lines, "LBf\x03LB \x03LB[\x03LBM\x03LBH\x03LBz\x03LB]\x03 "));
    // y caption "z [µΩ]": the micro and omega glyphs on lines of their own.
    const std::size_t y_caption =
        index_of(lines, "LBz\x03LB \x03LB[\x03" + std::string(hpgl_glyph(0xE6)));
    ASSERT_LT(y_caption + 2, lines.size());
    EXPECT_EQ(lines[y_caption + 1].substr(0, 5), "UC99,");
    EXPECT_EQ(lines[y_caption + 2], "LB]\x03 ");
    EXPECT_TRUE(has_line(lines, "LB 4.0000\x03"));
    EXPECT_TRUE(has_line(lines, "LB 1.0000/div\x03"));
    EXPECT_TRUE(has_line(lines, "LB  0.000\x03"));
    EXPECT_TRUE(has_line(lines, "LB-2.0000\x03"));
    EXPECT_TRUE(has_line(lines, "LB   /div\x03"));
    EXPECT_TRUE(has_line(lines, "LBTwo curves" + std::string(66, ' ') + "\x03"));
}

TEST(RectHpglStream, OneCurveHasNoLegend) {
    const std::string text = rect_text(one_curve_rect_state());
    EXPECT_EQ(text.find("LB real"), std::string::npos);
    EXPECT_EQ(text.find("LT6;"), std::string::npos);
    EXPECT_NE(text.find("LB \x03UC1.5,4,99,"), std::string::npos);  // the degree sign
}

TEST(RectHpglStream, StopsAtTheFirstFailedWrite) {
    expect_stops_at_first_failed_write(write_rect_hpgl_stream, two_curve_rect_state(), 700);
}

}  // namespace
