#include "table_report_lines.h"

#include <gtest/gtest.h>

#include "stream_test_support.h"

namespace {

std::string table_text(PlotState s) {
    scale_table_axes(s);
    return stream_text(write_table_lines, s);
}

PlotState table_state(int n) {
    PlotState s = one_curve_rect_state();
    s.point_count = n;
    for (int i = 1; i <= n; ++i) {
        s.plot_x[static_cast<std::size_t>(i)] = 1e6f * static_cast<float>(i);
        s.plot_y[static_cast<std::size_t>(i)] = -90.0f + static_cast<float>(i);
    }
    s.x_min = 1e6f;
    s.x_max = 1e6f * static_cast<float>(n);
    return s;
}

TEST(TableReportLines, OneCurveMatchesGoldenFile) {
    expect_matches_golden(table_text(one_curve_rect_state()), "table_one_curve.rpt");
}

TEST(TableReportLines, TwoCurvesMatchGoldenFile) {
    expect_matches_golden(table_text(two_curve_rect_state()), "table_two_curves.rpt");
}

TEST(TableReportLines, NPointsGiveElevenPlusTwoNLinesOfEightyCharacters) {
    for (int n : {1, 2, 7}) {
        const std::string text = table_text(table_state(n));
        const auto lines = split_lines(text);
        ASSERT_EQ(lines.size(), static_cast<std::size_t>(11 + 2 * n)) << n;
        for (const auto& line : lines) EXPECT_EQ(line.size(), 80u);
        EXPECT_EQ(text.back(), '\n');
        EXPECT_EQ(text.find('\r'), std::string::npos);
        EXPECT_EQ(lines[0], std::string(80, ' '));
        EXPECT_EQ(lines[2].substr(0, 3), " \xC9\xCD");
        EXPECT_EQ(lines[3].substr(0, 2), " \xBA");
        EXPECT_EQ(lines[8], std::string(19, ' ') + "\xDA" + std::string(14, '\xC4') + "\xC2" +
                                std::string(25, '\xC4') + "\xBF" + std::string(19, ' '));
        EXPECT_EQ(lines[10].substr(19, 2), "\xC6\xCD");
        EXPECT_EQ(lines.back().substr(19, 2), "\xC0\xC4");
        if (n > 1) {
            EXPECT_EQ(lines[12].substr(19, 2), "\xC3\xC4");
        }
    }
}

TEST(TableReportLines, ScalingWritesThePrefixIntoTheLabel) {
    PlotState s = two_curve_rect_state();
    s.x_label = "f [ Hz]";
    s.x_label.resize(LABEL_LENGTH, ' ');
    s.x_prefix = ' ';
    s.x_scale = 1.0f;
    scale_table_axes(s);
    EXPECT_EQ(s.x_prefix, 'M');
    EXPECT_FLOAT_EQ(s.x_scale, 1e6f);
    EXPECT_EQ(s.x_label.substr(0, 7), "f [MHz]");
    EXPECT_EQ(s.y_prefix, '\xE6');
    EXPECT_EQ(s.y_label.substr(0, 6), "z [\xE6\xEA]");

    s.y_prefix_pos = 1;  // no slot: unscaled, blank prefix
    scale_table_axes(s);
    EXPECT_EQ(s.y_prefix, ' ');
    EXPECT_FLOAT_EQ(s.y_scale, 1.0f);
}

TEST(TableReportLines, CaptionColumnsDependOnLabelLength) {
    PlotState s = table_state(2);
    auto caption = [&]() { return split_lines(table_text(s))[9]; };
    EXPECT_EQ(caption().substr(19, 12), "\xB3    f [MHz]");  // 7 characters: column 25
    s.x_label = "frequency [ Hz] xx";
    s.x_label.resize(LABEL_LENGTH, ' ');
    s.x_label_len = 18;
    s.x_prefix_pos = 12;
    const std::string line = caption();
    EXPECT_EQ(line.substr(19, 15), "\xB3" "frequency [MHz");  // column 21, cut by the bar
    EXPECT_EQ(line[34], '\xB3');
    EXPECT_EQ(line[60], '\xB3');
}

TEST(TableReportLines, ValueColumnsAndAsterisks) {
    const auto one = split_lines(table_text(one_curve_rect_state()));
    EXPECT_EQ(one[11], std::string(19, ' ') + "\xB3       1.000  \xB3          -90.000        " +
                           "\xB3" + std::string(19, ' '));
    const auto two = split_lines(table_text(two_curve_rect_state()));
    const std::string& last = two[15];
    EXPECT_EQ(last.substr(19, 18), "\xB3       3.000  \xB3 (");
    EXPECT_EQ(last[47], ',');
    EXPECT_EQ(last[58], ')');
    EXPECT_EQ(last.substr(37, 10), "  1000.000");
    EXPECT_EQ(last.substr(48, 10), "**********");  // -1000000.00 does not fit
    EXPECT_EQ(two[11].substr(36, 23), "(     1.000,     -1.00)");
}

TEST(TableReportLines, StopsAtTheFirstFailedWrite) {
    PlotState s = table_state(3);
    scale_table_axes(s);
    expect_stops_at_first_failed_write(write_table_lines, s, 500);
}

}  // namespace
