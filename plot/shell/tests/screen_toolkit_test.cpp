#include <gtest/gtest.h>

#include "headless_screen.h"
#include "key_codes.h"
#include "screen_surface.h"
#include "screen_toolkit.h"

namespace {

const Tone ERROR_BEEP{1000, 50};

TEST(ScreenLayout, StandardModeGivesThePlotAreaAndItsSaveSize) {
    HeadlessScreen screen;
    const ScreenLayout& l = screen_layout();
    EXPECT_EQ(l.rows, 30);
    EXPECT_EQ(l.columns, 80);
    EXPECT_EQ(l.plot_cells.right, 64);
    EXPECT_EQ(l.plot_cells.bottom, 25);
    EXPECT_EQ(l.plot_pixels.x1, 0);
    EXPECT_EQ(l.plot_pixels.y1, 16);
    EXPECT_EQ(l.plot_pixels.x2, 511);
    EXPECT_EQ(l.plot_pixels.y2, 399);
    EXPECT_EQ(l.plot_save_size, image_size(0, 0, 511, 383));
    EXPECT_EQ(l.side_panel_column(), 65);
    EXPECT_EQ(l.message_row(), 29);
}

TEST(ScreenToolkit, MenuBarCellsAndColours) {
    HeadlessScreen screen;
    draw_menu_bar(MenuLabels{"Help", "", "", "", "sPar", "yPar", "zPar", "", "", "End"});
    EXPECT_EQ(screen.row_text(30),
              "F1Help  F2      F3      F4      F5sPar  F6yPar  F7zPar  F8      F9      F10End  ");
    EXPECT_EQ(screen.cell_color(30, 1), 7);   // F
    EXPECT_EQ(screen.cell_color(30, 2), 7);   // 1
    EXPECT_EQ(screen.cell_color(30, 3), 15);  // label over the key name's blank
    EXPECT_EQ(screen.cell_color(30, 73), 7);
    EXPECT_EQ(screen.cell_color(30, 75), 7);
    EXPECT_EQ(screen.cell_color(30, 76), 15);
    // The sixth character of the F10 label falls off the screen.
    draw_menu_bar("Help  LoaBMP      Ovrlay      Clr         SavBMPDelBMPEndXYZ");
    EXPECT_EQ(screen.text_at(30, 9, 8), "F2LoaBMP");
    EXPECT_EQ(screen.text_at(30, 73, 8), "F10EndXY");
    EXPECT_TRUE(screen.tones().empty());
}

TEST(ScreenToolkit, PrintAtRestoresColourSeven) {
    HeadlessScreen screen;
    print_at(1, 8, 15, "PLOT OUTPUT");
    EXPECT_EQ(screen.cell_color(1, 8), 15);
    put_text("x");
    EXPECT_EQ(screen.cell_color(1, 19), 7);
    clear_line(1, 8);
    EXPECT_EQ(screen.row_text(1), std::string(80, ' '));
}

TEST(ScreenToolkit, MessageEndsInBangWaitsForOneWholeKeyAndClears) {
    HeadlessScreen screen;
    screen.extended(keys::F1);  // both codes consumed
    screen.key('a');
    show_message("Invalid real   ");
    EXPECT_EQ(screen.pending_keys(), 1u);
    EXPECT_EQ(screen.row_text(29), std::string(80, ' '));
    EXPECT_FALSE(screen.cursor_visible());
}

TEST(ScreenToolkit, MessageLineContents) {
    HeadlessScreen screen;
    EXPECT_THROW(show_message("No matching files"), KeysExhausted);
    EXPECT_EQ(screen.row_text(29), "No matching files!" + std::string(62, ' '));
    EXPECT_EQ(screen.cell_color(29, 1), 15);
    // A text of 80 characters loses its "!".
    const std::string long_text(80, 'x');
    EXPECT_THROW(show_message(long_text), KeysExhausted);
    EXPECT_EQ(screen.row_text(29), long_text);
}

TEST(ScreenToolkit, MessageBeforeTheLayoutStandsOnTheFirstRow) {
    HeadlessScreen screen(false);
    set_video_mode_rows(VIDEO_VGA_640X480, 30);
    EXPECT_THROW(show_message("Cannot register font "), KeysExhausted);
    EXPECT_EQ(screen.text_at(1, 1, 22), "Cannot register font! ");
}

TEST(ScreenToolkit, YesNoQuestion) {
    HeadlessScreen screen;
    screen.key(13);
    EXPECT_TRUE(ask_yes_no("File A.PLT already exists. Overwrite"));
    screen.key(27);
    EXPECT_FALSE(ask_yes_no("Overwrite"));
    screen.keys({'N'});
    EXPECT_FALSE(ask_yes_no("Overwrite"));
    EXPECT_TRUE(screen.tones().empty());

    // An arrow key (both codes) and a stray letter only beep.
    screen.extended(keys::UP);
    screen.keys({'q', 'Y'});
    EXPECT_TRUE(ask_yes_no("Overwrite"));
    EXPECT_EQ(screen.tones(), (std::vector<Tone>{ERROR_BEEP, ERROR_BEEP}));
    EXPECT_EQ(screen.row_text(29), std::string(80, ' '));
    EXPECT_FALSE(screen.cursor_visible());

    // While waiting: the question, its suffix and the cursor after it.
    EXPECT_THROW(ask_yes_no("Do you want to delete file A.BMP"), KeysExhausted);
    EXPECT_EQ(screen.text_at(29, 1, 41), "Do you want to delete file A.BMP (y/n)?  ");
    EXPECT_TRUE(screen.cursor_visible());
    EXPECT_EQ(screen.cursor_row(), 29);
    EXPECT_EQ(screen.cursor_column(), 32 + 9);
}

TEST(ScreenToolkit, ClearsAndBeeps) {
    HeadlessScreen screen;
    for (int row = 1; row <= 30; ++row) print_at(row, 1, 7, std::string(80, '#'));
    clear_work_area();
    clear_side_panel();
    EXPECT_EQ(screen.row_text(28 - 3), std::string(64, '#') + std::string(16, ' '));
    for (int row = 26; row <= 29; ++row) EXPECT_EQ(screen.row_text(row), std::string(80, ' '));
    EXPECT_EQ(screen.row_text(30), std::string(80, '#'));
    EXPECT_EQ(screen.row_text(3), std::string(64, '#') + std::string(16, ' '));
    EXPECT_EQ(screen.row_text(2), std::string(80, '#'));
    error_beep();
    boundary_beep();
    rejection_beep();
    sound_beep(200, 880);
    EXPECT_EQ(screen.tones(), (std::vector<Tone>{{1000, 50}, {500, 50}, {250, 50}, {880, 200}}));
}

TEST(ScreenToolkit, PlotAreaBecomesTheViewport) {
    HeadlessScreen screen;
    set_plot_area(1, 2, 14, 5);
    const ScreenLayout& l = screen_layout();
    EXPECT_EQ(l.plot_pixels.x2, 14 * 8 - 1);
    EXPECT_EQ(l.plot_pixels.y2, 5 * 16 - 1);
    EXPECT_EQ(l.plot_save_size, image_size(0, 0, 111, 63));
    set_color(9);
    move_to(0, 0);
    line_to(0, 0);
    EXPECT_EQ(screen.pixel(0, 16), 9);
}

}  // namespace
