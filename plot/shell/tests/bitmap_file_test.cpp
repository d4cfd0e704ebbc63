#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "headless_screen.h"
#include "png_writer.h"
#include "scratch_folder.h"
#include "screen_surface.h"
#include "screen_toolkit.h"
#include "surface_files.h"
#include "vga_palette.h"

namespace fs = std::filesystem;

namespace {

class BitmapFiles : public ::testing::Test {
protected:
    static std::vector<std::uint8_t> bytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static void write(const std::string& path, const std::vector<std::uint8_t>& data) {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
    }
    static std::uint32_t u32(const std::vector<std::uint8_t>& b, std::size_t at) {
        return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
    }
    // A picture in every colour over the plot area.
    static void draw_test_picture() {
        for (int i = 0; i < 200; ++i) {
            set_color(i % 16);
            move_to(i, 0);
            line_to(i * 2 + 3, 383);
        }
    }
    ScratchFolder folder_;
};

TEST_F(BitmapFiles, HeaderAndLayoutOfTheWrittenFile) {
    HeadlessScreen screen;
    set_color(15);
    move_to(0, 0);
    line_to(0, 0);  // upper-left pixel white, the rest black
    ASSERT_EQ(save_bitmap("SMALL.BMP", 0, 0, 4, 2), 0);
    const auto b = bytes("SMALL.BMP");
    // Rows of 5 pixels: 3 bytes, padded to 4.
    ASSERT_EQ(b.size(), 54u + 64u + 3u * 4u);
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(u32(b, 2), b.size());
    EXPECT_EQ(u32(b, 6), 0u);
    EXPECT_EQ(u32(b, 10), 118u);
    EXPECT_EQ(u32(b, 14), 40u);
    EXPECT_EQ(u32(b, 18), 5u);
    EXPECT_EQ(u32(b, 22), 3u);
    EXPECT_EQ(b[26] | b[27] << 8, 1);
    EXPECT_EQ(b[28] | b[29] << 8, 4);
    EXPECT_EQ(u32(b, 30), 0u);
    EXPECT_EQ(u32(b, 34), 12u);
    EXPECT_EQ(u32(b, 38), 0u);
    EXPECT_EQ(u32(b, 42), 0u);
    EXPECT_EQ(u32(b, 46), 16u);
    EXPECT_EQ(u32(b, 50), 16u);
    // Palette entry 3 (cyan) as blue, green, red, 0.
    EXPECT_EQ(u32(b, 54 + 12), 0x0000AAAAu);
    EXPECT_EQ(u32(b, 54 + 60), 0x00FFFFFFu);
    // The top row comes last; its left pixel is the high half of the first byte.
    EXPECT_EQ(b[118 + 8], 0xF0);
    EXPECT_EQ(b[118], 0x00);
}

TEST_F(BitmapFiles, WrittenThenReadBackPixelForPixel) {
    HeadlessScreen screen;
    draw_test_picture();
    const ScreenLayout& l = screen_layout();
    const int w = l.plot_pixels.x2 - l.plot_pixels.x1, h = l.plot_pixels.y2 - l.plot_pixels.y1;
    ASSERT_EQ(save_bitmap("PICTURE.BMP", 0, 0, w, h), 0);
    std::vector<std::uint8_t> before;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) before.push_back(screen.pixel(x, y));
    clear_screen(ClearArea::VIEWPORT);
    EXPECT_EQ(screen.pixel(3, 16), 0);
    ASSERT_EQ(load_bitmap("picture.bmp", 0, 0), 0);  // found whatever the case
    std::size_t k = 0;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x, ++k) ASSERT_EQ(screen.pixel(x, y), before[k]) << x << "," << y;
}

TEST_F(BitmapFiles, OddWidthSmallPictureLandsAtItsPosition) {
    HeadlessScreen screen;
    draw_test_picture();
    ASSERT_EQ(save_bitmap("ODD.BMP", 10, 20, 16, 24), 0);  // 7 x 5 pixels
    std::vector<int> expected;
    for (int y = 20; y <= 24; ++y)
        for (int x = 10; x <= 16; ++x) expected.push_back(screen.pixel(x, 16 + y));
    clear_screen(ClearArea::VIEWPORT);
    ASSERT_EQ(load_bitmap("ODD.BMP", 100, 50), 0);
    std::size_t k = 0;
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x) EXPECT_EQ(screen.pixel(100 + x, 16 + 50 + y), expected[k++]);
    EXPECT_EQ(screen.pixel(107, 66), 0);
    // The cells it lands on (row 5, columns 13 and 14) lose their text.
    print_at(5, 12, COLOR_NORMAL, "abcd");
    ASSERT_EQ(load_bitmap("ODD.BMP", 100, 50), 0);
    EXPECT_EQ(screen.text_at(5, 12, 4), "a  d");
}

TEST_F(BitmapFiles, PaletteEntriesAreShownAsNearestColours) {
    HeadlessScreen screen;
    set_color(1);
    move_to(0, 0);
    line_to(1, 0);
    ASSERT_EQ(save_bitmap("PAL.BMP", 0, 0, 1, 0), 0);
    auto b = bytes("PAL.BMP");
    // Colour 1 becomes a light yellow in the file.
    b[54 + 4] = 0x60;
    b[54 + 5] = 0xF0;
    b[54 + 6] = 0xF0;
    write("PAL.BMP", b);
    ASSERT_EQ(load_bitmap("PAL.BMP", 0, 1), 0);
    EXPECT_EQ(screen.pixel(0, 17), 14);
}

TEST_F(BitmapFiles, BadFilesGiveNegativeStatusAndDrawNothing) {
    HeadlessScreen screen;
    set_color(9);
    move_to(0, 0);
    line_to(20, 0);
    ASSERT_EQ(save_bitmap("GOOD.BMP", 0, 0, 20, 0), 0);
    const auto good = bytes("GOOD.BMP");
    clear_screen(ClearArea::VIEWPORT);

    auto broken = [&](const char* name, auto change) {
        auto b = good;
        change(b);
        write(name, b);
        EXPECT_LT(load_bitmap(name, 0, 0), 0) << name;
        EXPECT_EQ(screen.pixel(0, 16), 0) << name;
    };
    EXPECT_LT(load_bitmap("MISSING.BMP", 0, 0), 0);
    broken("EMPTY.BMP", [](auto& b) { b.clear(); });
    broken("SHORT.BMP", [](auto& b) { b.resize(b.size() - 1); });
    broken("HEADER.BMP", [](auto& b) { b.resize(30); });
    broken("MAGIC.BMP", [](auto& b) { b[0] = 'X'; });
    broken("INFO.BMP", [](auto& b) { b[14] = 12; });
    broken("DEPTH.BMP", [](auto& b) { b[28] = 8; });
    broken("PACKED.BMP", [](auto& b) { b[30] = 2; });
    broken("WIDE.BMP", [](auto& b) { b[18] = 0x81; b[19] = 0x02; });   // 641 pixels
    broken("HUGE.BMP", [](auto& b) { b[25] = 0x80; });                 // negative height
    broken("NOROWS.BMP", [](auto& b) { b[22] = 0; });
    fs::create_directory("DIR.BMP");
    EXPECT_LT(load_bitmap("DIR.BMP", 0, 0), 0);
}

TEST_F(BitmapFiles, UnwritableFileIsReported) {
    HeadlessScreen screen;
    EXPECT_NE(save_bitmap("no_such_folder/X.BMP", 0, 0, 10, 10), 0);
}

TEST_F(BitmapFiles, ScreenshotsAsPngAndBmp) {
    HeadlessScreen screen;
    print_at(1, 1, 15, "VORDAN");
    ASSERT_TRUE(screen.save_png("shot.png"));
    ASSERT_TRUE(screen.save_bmp("shot.bmp"));
    const auto png = bytes("shot.png");
    EXPECT_EQ(png[1], 'P');
    EXPECT_EQ(png[12], 'I');  // IHDR first
    // Read back with libpng: the screen's colours, pixel for pixel.
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgb;
    ASSERT_TRUE(read_png_rgb("shot.png", width, height, rgb));
    ASSERT_EQ(width, 640);
    ASSERT_EQ(height, 480);
    int differing = 0;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            const Rgb& c = VGA_PALETTE[screen.pixel(x, y)];
            const std::uint8_t* p = &rgb[(static_cast<std::size_t>(y) * 640 + x) * 3];
            differing += p[0] != c.red || p[1] != c.green || p[2] != c.blue;
        }
    EXPECT_EQ(differing, 0);
    EXPECT_EQ(u32(bytes("shot.bmp"), 18), 640u);
}

}  // namespace
