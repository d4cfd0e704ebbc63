#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "headless_screen.h"
#include "key_codes.h"
#include "plotter_startup.h"
#include "scratch_folder.h"
#include "screen_surface.h"

namespace fs = std::filesystem;

namespace {

const Tone ERROR_BEEP{1000, 50};
const std::string MENU_BAR =
    "F1Help  F2      F3      F4      F5sPar  F6yPar  F7zPar  F8      F9      F10End  ";

// Each test runs in an empty working folder (roman.fon comes from the data folder).
class PlotterStartup : public ::testing::Test {
protected:
    static HeadlessScreen::Options options() { return HeadlessScreen::Options{}; }
    ScratchFolder folder_;
};

TEST_F(PlotterStartup, ShowsTitleCaptionAndMenuBar) {
    HeadlessScreen screen(false);
    EXPECT_THROW(run_mtlplot(), KeysExhausted);  // waiting in the main menu
    EXPECT_EQ(screen.video_mode(), VIDEO_VGA_640X480);
    EXPECT_EQ(screen.text_at(1, 1, 18), "VORDAN PLOT OUTPUT");
    EXPECT_EQ(screen.cell_color(1, 1), 15);
    EXPECT_EQ(screen.cell_color(1, 8), 15);
    EXPECT_EQ(screen.row_text(30), MENU_BAR);
    EXPECT_EQ(screen.cell_color(30, 33), 7);   // "F5"
    EXPECT_EQ(screen.cell_color(30, 35), 15);  // "sPar"
    EXPECT_FALSE(screen.cursor_visible());
    EXPECT_TRUE(screen.console_lines().empty());
    EXPECT_TRUE(screen.tones().empty());
}

TEST_F(PlotterStartup, EscOrF10LeaveAtOnceAndRestoreTheStartMode) {
    for (bool escape : {true, false}) {
        HeadlessScreen screen(false);
        if (escape) {
            screen.key(keys::ESC);
        } else {
            screen.extended(keys::F10);
        }
        EXPECT_EQ(run_mtlplot(), 0);
        EXPECT_EQ(screen.video_mode(), 3);  // the mode found at start
        EXPECT_TRUE(screen.tones().empty());
        EXPECT_EQ(screen.pending_keys(), 0u);
    }
}

TEST_F(PlotterStartup, KeysWithoutActionOnlyBeep) {
    HeadlessScreen screen(false);
    screen.extended(keys::F1);
    screen.extended(keys::F8);
    screen.extended(keys::F9);
    screen.key('x');
    screen.key(keys::ENTER);
    EXPECT_THROW(run_mtlplot(), KeysExhausted);
    EXPECT_EQ(screen.tones(), std::vector<Tone>(5, ERROR_BEEP));
    EXPECT_EQ(screen.row_text(30), MENU_BAR);
    EXPECT_EQ(screen.text_at(1, 1, 18), "VORDAN PLOT OUTPUT");
}

// F11, F12 and the keypad's 5 (NumLock off) come as keys of their own,
// which no menu takes.
TEST_F(PlotterStartup, F11F12AndTheKeypadCentreBeep) {
    HeadlessScreen screen(false);
    screen.extended(keys::F11);
    screen.extended(keys::F12);
    screen.extended(keys::KEYPAD_CENTRE);
    screen.extended(keys::F5);  // s-parameter menu
    screen.extended(keys::CTRL_F11 + 1);
    screen.key(keys::EXTENDED_E0);
    screen.key(keys::F11);
    screen.extended(keys::F10);
    screen.extended(keys::F10);
    EXPECT_EQ(run_mtlplot(), 0);
    EXPECT_EQ(screen.tones(), std::vector<Tone>(5, ERROR_BEEP));
}

TEST_F(PlotterStartup, ParameterMenusOpenAndReturnToTheMainMenu) {
    HeadlessScreen screen(false);
    screen.extended(keys::F6);
    EXPECT_THROW(run_mtlplot(), KeysExhausted);
    EXPECT_EQ(screen.text_at(1, 20, 12), "y PARAMETERS");
    EXPECT_EQ(screen.text_at(1, 8, 11), "PLOT OUTPUT");

    HeadlessScreen again(false);
    again.extended(keys::F5);
    again.extended(keys::F10);
    again.extended(keys::F7);
    again.key(keys::ESC);
    again.key('y');  // "Exit (y/n)?"
    again.extended(keys::F10);
    EXPECT_EQ(run_mtlplot(), 0);
    EXPECT_TRUE(again.tones().empty());
}

TEST_F(PlotterStartup, NoGraphicsModeEndsOnTheConsole) {
    auto o = options();
    o.graphics_rows_available = false;
    o.max_resolution_available = false;
    HeadlessScreen screen(false, o);
    EXPECT_EQ(run_mtlplot(), 1);
    EXPECT_EQ(screen.console_lines(), std::vector<std::string>{"Cannot initialize screen for graphics"});
    EXPECT_EQ(screen.video_mode(), VIDEO_TEXT_80);
    EXPECT_EQ(screen.text_at(1, 1, 37), "Cannot initialize screen for graphics");
}

TEST_F(PlotterStartup, HighestResolutionModeIsTheFallback) {
    auto o = options();
    o.graphics_rows_available = false;
    HeadlessScreen screen(false, o);
    screen.extended(keys::F10);
    EXPECT_EQ(run_mtlplot(), 0);
    EXPECT_TRUE(screen.console_lines().empty());
}

TEST_F(PlotterStartup, SmallResolutionEndsOnTheConsole) {
    auto o = options();
    o.graphics_height = 200;  // 640 x 200 with 30 rows
    HeadlessScreen screen(false, o);
    EXPECT_EQ(run_mtlplot(), 1);
    EXPECT_EQ(screen.console_lines(), std::vector<std::string>{"Improper screen resolution"});
    EXPECT_EQ(screen.video_mode(), VIDEO_TEXT_80);
}

TEST_F(PlotterStartup, TwentyFiveRowsEndAfterAKeyInTheStartMode) {
    auto o = options();
    o.graphics_rows = 25;
    {
        HeadlessScreen screen(false, o);
        EXPECT_THROW(run_mtlplot(), KeysExhausted);
        EXPECT_EQ(screen.row_text(24), "Number of text lines smaller than 30!" + std::string(43, ' '));
    }
    HeadlessScreen screen(false, o);
    screen.key(' ');
    EXPECT_EQ(run_mtlplot(), 1);
    EXPECT_EQ(screen.video_mode(), 3);
    EXPECT_EQ(screen.pending_keys(), 0u);
}

TEST_F(PlotterStartup, NoTextModeEndsSilently) {
    auto o = options();
    o.text_mode_available = false;
    HeadlessScreen screen(false, o);
    EXPECT_EQ(run_mtlplot(), 1);
    EXPECT_TRUE(screen.console_lines().empty());
}

TEST_F(PlotterStartup, InvalidFontFileStopsAfterAKey) {
    std::ofstream("ROMAN.FON") << "this is not a stroke font\n";  // found first, whatever the case
    {
        HeadlessScreen screen(false);
        EXPECT_THROW(run_mtlplot(), KeysExhausted);
        EXPECT_EQ(screen.text_at(1, 1, 22), "Cannot register font! ");
    }
    HeadlessScreen screen(false);
    screen.key('q');
    EXPECT_EQ(run_mtlplot(), 1);
    EXPECT_EQ(screen.video_mode(), 3);
}

}  // namespace
