#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "headless_screen.h"
#include "screen_surface.h"
#include "software_canvas.h"

namespace {

// Pixels of row y from x0 to x1 as a string of hexadecimal colour digits.
std::string row_pixels(const HeadlessScreen& screen, int y, int x0, int x1) {
    std::string s;
    for (int x = x0; x <= x1; ++x) s.push_back("0123456789ABCDEF"[screen.pixel(x, y)]);
    return s;
}

TEST(SoftwareCanvas, DashedPatternRunsOneBitPerPixelAcrossConnectedLines) {
    HeadlessScreen screen(false);
    set_video_mode_rows(VIDEO_VGA_640X480, 30);
    set_color(3);
    set_line_style(0x3030);  // 0011 0000 0011 0000
    move_to(0, 0);
    line_to(9, 0);   // ten pixels: bits 15..6
    line_to(19, 0);  // the pattern continues; x = 9 is drawn again with bit 5
    EXPECT_EQ(row_pixels(screen, 0, 0, 9), "0033000003");
    EXPECT_EQ(row_pixels(screen, 0, 10, 19), "3000000330");
    // A new move starts the pattern afresh.
    move_to(0, 2);
    line_to(7, 2);
    EXPECT_EQ(row_pixels(screen, 2, 0, 7), "00330000");
}

TEST(SoftwareCanvas, LinesAreClippedToTheViewportAndRelativeToIt) {
    HeadlessScreen screen(false);
    set_video_mode_rows(VIDEO_VGA_640X480, 30);
    set_viewport(100, 50, 109, 59);
    set_color(15);
    move_to(-20, 5);
    line_to(200, 5);  // crosses the whole viewport
    EXPECT_EQ(row_pixels(screen, 55, 98, 111), "00FFFFFFFFFF00");
    move_to(5, -1e300);  // absurd coordinates are held, not undefined
    line_to(5, 1e300);
    for (int y = 48; y <= 61; ++y) EXPECT_EQ(screen.pixel(105, y), (y >= 50 && y <= 59) ? 15 : 0) << y;
    move_to(std::nan(""), 0);
    line_to(std::numeric_limits<double>::infinity(), 0);  // must not crash
}

TEST(SoftwareCanvas, WindowMapsOntoViewportWithYUpOrDown) {
    HeadlessScreen screen(false);
    set_video_mode_rows(VIDEO_VGA_640X480, 30);
    set_viewport(0, 16, 511, 399);
    set_color(7);
    set_window(true, -1.0, -1.0, 1.0, 1.0);  // y grows upwards
    move_to(-1.0, -1.0);
    line_to(-1.0, -1.0);
    EXPECT_EQ(screen.pixel(0, 399), 7);  // lower-left corner
    move_to(1.0, 1.0);
    line_to(1.0, 1.0);
    EXPECT_EQ(screen.pixel(511, 16), 7);  // upper-right corner
    move_to(0.0, 0.0);
    line_to(0.0, 0.0);
    EXPECT_EQ(screen.pixel(256, 16 + 192), 7);  // 255.5 and 191.5 round up
    set_color(2);
    set_window(false, 0.0, 0.0, 511.0, 383.0);  // y grows downwards
    move_to(10.0, 0.0);
    line_to(10.0, 0.0);
    EXPECT_EQ(screen.pixel(10, 16), 2);
}

TEST(SoftwareCanvas, ShallowLineRoundsHalfUpAndHitsBothEnds) {
    HeadlessScreen screen(false);
    set_video_mode_rows(VIDEO_VGA_640X480, 30);
    set_color(1);
    move_to(0, 0);
    line_to(4, 2);
    EXPECT_EQ(row_pixels(screen, 0, 0, 4), "10000");
    EXPECT_EQ(row_pixels(screen, 1, 0, 4), "01100");
    EXPECT_EQ(row_pixels(screen, 2, 0, 4), "00011");
}

TEST(SoftwareCanvas, ImagesCopyInvertAndOr) {
    HeadlessScreen screen(false);
    set_video_mode_rows(VIDEO_VGA_640X480, 30);
    set_viewport(10, 10, 100, 100);
    set_color(5);  // 0101
    move_to(0, 0);
    line_to(3, 0);
    const long size = image_size(0, 0, 3, 0);
    ImageBuffer image;
    ASSERT_TRUE(obtain_image_buffer(image, size));
    EXPECT_EQ(static_cast<long>(image.size()), size);
    get_image(0, 0, 3, 0, image);

    put_image(0, 1, image, ImageAction::COPY);
    EXPECT_EQ(row_pixels(screen, 11, 10, 13), "5555");
    put_image(0, 2, image, ImageAction::INVERT);
    EXPECT_EQ(row_pixels(screen, 12, 10, 13), "AAAA");
    set_color(2);  // 0010
    move_to(0, 3);
    line_to(1, 3);
    put_image(0, 3, image, ImageAction::OR);
    EXPECT_EQ(row_pixels(screen, 13, 10, 13), "7755");
    // Placed partly off the screen it is cut, not wrapped.
    set_viewport(0, 0, 639, 479);
    put_image(638, 479, image, ImageAction::COPY);
    EXPECT_EQ(row_pixels(screen, 479, 636, 639), "0055");
    release_image_buffer(image);
    EXPECT_TRUE(image.empty());

    screen.set_image_buffers_available(false);
    EXPECT_FALSE(obtain_image_buffer(image, size));
}

// Text at (row, column) in colour, on the full-screen text window.
void text(int row, int column, int color, const std::string& characters) {
    set_text_color(color);
    set_text_position(row, column);
    put_text(characters);
}

TEST(SoftwareCanvas, ImagesCarryTheTextOfTheirWholeCells) {
    HeadlessScreen screen(false);
    set_video_mode_rows(VIDEO_VGA_640X480, 30);
    set_text_wrap(false);
    text(3, 2, 7, "abcd");
    text(4, 2, 15, "efgh");
    // Cells 2..4 of rows 3 and 4 wholly, and column 5 only in part.
    set_viewport(8, 32, 639, 479);
    ImageBuffer image;
    ASSERT_TRUE(obtain_image_buffer(image, image_size(0, 0, 27, 31)));
    get_image(0, 0, 27, 31, image);

    text(3, 1, 7, "XXXXXX");
    text(4, 1, 7, "YYYYYY");
    put_image(0, 0, image, ImageAction::COPY);
    EXPECT_EQ(screen.text_at(3, 1, 6), "Xabc X");  // the cut cell loses its text
    EXPECT_EQ(screen.text_at(4, 1, 6), "Yefg Y");
    EXPECT_EQ(screen.cell_color(3, 2), 7);
    EXPECT_EQ(screen.cell_color(4, 2), 15);

    put_image(0, 0, image, ImageAction::INVERT);
    EXPECT_EQ(screen.text_at(3, 2, 3), "abc");
    EXPECT_EQ(screen.cell_color(3, 2), 8);
    EXPECT_EQ(screen.cell_color(4, 3), 0);

    // Laid over with OR: the image's text fills blank cells; two texts over
    // each other are no text; a blank image cell keeps the screen's text.
    text(3, 2, 7, " ");
    text(4, 2, 7, "Z");
    text(3, 5, 7, "W");
    put_image(0, 0, image, ImageAction::OR);
    EXPECT_EQ(screen.text_at(3, 2, 1), "a");
    EXPECT_EQ(screen.text_at(4, 2, 1), " ");
    EXPECT_EQ(screen.text_at(3, 5, 1), "W");

    // Put back where the cells do not line up, a copy takes the text away.
    text(6, 1, 7, "PQRSTU");
    put_image(4, 48, image, ImageAction::COPY);
    EXPECT_EQ(screen.text_at(6, 1, 6), "P    U");
    EXPECT_EQ(screen.pixel(8 + 4, 32 + 48), image[4]);  // the image's first pixel
}

TEST(SoftwareCanvas, ClearedPixelsTakeTheTextAway) {
    HeadlessScreen screen(false);
    set_video_mode_rows(VIDEO_VGA_640X480, 30);
    text(2, 1, 7, "abcdef");
    set_viewport(9, 16, 23, 31);  // touches cells 2 and 3 of row 2
    clear_screen(ClearArea::VIEWPORT);
    EXPECT_EQ(screen.text_at(2, 1, 6), "a  def");
}

TEST(SoftwareCanvas, TextCellsCarryCharacterColourAndGlyphPixels) {
    HeadlessScreen screen(false);
    set_video_mode_rows(VIDEO_VGA_640X480, 30);
    set_text_color(14);
    set_text_position(2, 3);
    put_text("\xDB");  // full block
    EXPECT_EQ(screen.text_at(2, 3, 1), "\xDB");
    EXPECT_EQ(screen.cell_color(2, 3), 14);
    EXPECT_EQ(screen.pixel(16, 16), 14);
    EXPECT_EQ(screen.pixel(23, 31), 14);
    EXPECT_EQ(screen.pixel(24, 16), 0);
    EXPECT_EQ(screen.cursor_column(), 4);
    set_text_position(2, 3);
    put_text(" ");  // the background of a cell is painted
    EXPECT_EQ(screen.pixel(16, 16), 0);
}

TEST(SoftwareCanvas, WrapOffCutsAtTheWindowEdgeAndWindowScrolls) {
    HeadlessScreen screen(false);
    set_video_mode_rows(VIDEO_VGA_640X480, 30);
    set_text_wrap(false);
    set_text_window(5, 10, 7, 14);  // three rows of five columns
    set_text_position(1, 3);
    put_text("abcdefg");
    EXPECT_EQ(screen.text_at(5, 10, 6), "  abc ");
    EXPECT_EQ(get_text_window().top, 5);
    set_text_position(2, 1);
    put_text("row 2");
    set_text_position(3, 1);
    put_text("row 3");
    scroll_text_window(1);
    EXPECT_EQ(screen.text_at(5, 10, 5), "row 2");
    EXPECT_EQ(screen.text_at(6, 10, 5), "row 3");
    EXPECT_EQ(screen.text_at(7, 10, 5), "     ");
    scroll_text_window(-1);
    EXPECT_EQ(screen.text_at(5, 10, 5), "     ");
    EXPECT_EQ(screen.text_at(6, 10, 5), "row 2");
    EXPECT_EQ(screen.row_text(6).substr(9, 5), "row 2");
    EXPECT_EQ(screen.row_text(6)[8], ' ');  // outside the window untouched
}

TEST(SoftwareCanvas, ClearingTheViewportLeavesTheRestOfTheScreen) {
    HeadlessScreen screen;  // plot area 0,16 - 511,399 is the viewport
    set_text_position(1, 1);
    put_text("VORDAN");
    set_text_position(3, 1);
    put_text("in the plot");
    set_text_position(3, 70);
    put_text("panel");
    clear_screen(ClearArea::VIEWPORT);
    EXPECT_EQ(screen.text_at(1, 1, 6), "VORDAN");
    EXPECT_EQ(screen.text_at(3, 1, 11), std::string(11, ' '));
    EXPECT_EQ(screen.text_at(3, 70, 5), "panel");
}

TEST(HeadlessScreen, NewScreenStartsClean) {
    {
        HeadlessScreen screen;
        set_text_window(3, 3, 5, 5);
        set_color(4);
        set_line_style(0x0F0F);
        show_text_cursor(true);
        screen.set_image_buffers_available(false);
    }
    HeadlessScreen screen;
    const TextWindow window = get_text_window();
    EXPECT_EQ(window.top, 1);
    EXPECT_EQ(window.bottom, 30);
    EXPECT_EQ(window.right, 80);
    EXPECT_FALSE(screen.cursor_visible());
    ImageBuffer image;
    EXPECT_TRUE(obtain_image_buffer(image, 10));
    set_viewport(0, 0, 639, 479);
    move_to(0, 0);
    line_to(15, 0);
    for (int x = 0; x < 16; ++x) EXPECT_EQ(screen.pixel(x, 0), 15);
}

}  // namespace
