#include "format_selection.h"

#include <gtest/gtest.h>

#include "headless_screen.h"
#include "key_codes.h"

namespace {

const Tone ERROR_TONE{1000, 50};

TEST(FormatSelectionTest, SParameterMenuOffersAllFiveFormats) {
    HeadlessScreen screen;
    const int expected[] = {0, 1, 2, 3, 4};
    for (int code : expected) {
        int format = 1;
        screen.extended(keys::F2 + code);
        select_format_s(format);
        EXPECT_EQ(format, code);
    }
    EXPECT_TRUE(screen.tones().empty());
    EXPECT_EQ(screen.text_at(1, 62, 13), std::string(13, ' '));
}

TEST(FormatSelectionTest, YzMenuOnlyBeepsForSmithChartAndDecibels) {
    HeadlessScreen screen;
    int format = 3;
    screen.extended(keys::F2);
    screen.extended(keys::F6);
    screen.extended(keys::F1);
    EXPECT_THROW(select_format_yz(format), KeysExhausted);
    EXPECT_EQ(format, 3);
    EXPECT_EQ(screen.tones(), (std::vector<Tone>{ERROR_TONE, ERROR_TONE, ERROR_TONE}));
    EXPECT_EQ(screen.text_at(1, 62, 13), "SELECT FORMAT");
    const std::string bar = screen.row_text(30);
    EXPECT_NE(bar.find("R&I"), std::string::npos);
    EXPECT_EQ(bar.find("SmCht"), std::string::npos);
}

TEST(FormatSelectionTest, LeavingWithoutChoosingKeepsTheFormat) {
    HeadlessScreen screen;
    for (int leave : {int{keys::ESC}, int{keys::ENTER}}) {
        int format = 2;
        screen.key(leave);
        select_format_s(format);
        EXPECT_EQ(format, 2);
    }
    int format = 1;
    screen.extended(keys::F10);
    select_format_yz(format);
    EXPECT_EQ(format, 1);
}

TEST(FormatSelectionTest, FormatNameFillsItsSidePanelLine) {
    HeadlessScreen screen;
    show_format_name(4);
    EXPECT_EQ(screen.text_at(15, 65, 16), "Magnitude in dB ");
    show_format_name(2);
    EXPECT_EQ(screen.text_at(15, 65, 16), "Magnitude       ");
    EXPECT_EQ(screen.cell_color(15, 65), 7);
}

}  // namespace
