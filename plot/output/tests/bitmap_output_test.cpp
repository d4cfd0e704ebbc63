#include "bitmap_output.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "key_codes.h"
#include "screen_surface.h"
#include "screen_test_support.h"
#include "screen_toolkit.h"
#include "stream_test_support.h"
#include "vga_palette.h"

namespace {

namespace fs = std::filesystem;

struct BmpReading {
    std::string header;
    std::string palette;
    std::vector<std::string> rows;
};

// Reads the file with the independent reader; empty when it is missing.
BmpReading read_with_python(const fs::path& file) {
    const fs::path out = file.string() + ".txt";
    const std::string command = std::string("python3 '") + PLOT_OUTPUT_BMP_READER + "' '" +
                                file.string() + "' >'" + out.string() + "'";
    BmpReading r;
    if (std::system(command.c_str()) != 0) return r;
    std::ifstream in(out);
    std::getline(in, r.header);
    std::getline(in, r.palette);
    for (std::string line; std::getline(in, line);) r.rows.push_back(line);
    return r;
}

bool have_python() { return std::system("command -v python3 >/dev/null 2>&1") == 0; }

class BitmapFiles : public ScreenInTempFolder {
protected:
    void SetUp() override {
        ScreenInTempFolder::SetUp();
        // A picture with every colour: sixteen bands and a diagonal.
        const ScreenLayout& l = screen_layout();
        const int w = l.plot_pixels.x2 - l.plot_pixels.x1, h = l.plot_pixels.y2 - l.plot_pixels.y1;
        set_window(false, 0, 0, w, h);
        for (int x = 0; x <= w; ++x) {
            set_color((x / 32) % 16);
            move_to(x, 0);
            line_to(x, h / 2);
        }
        set_color(14);
        move_to(0, h);
        line_to(w, 0);
    }
    // Screen pixels of the plot area, one hex digit each, row by row.
    std::vector<std::string> plot_area_rows(bool complemented) const {
        const ScreenLayout& l = screen_layout();
        std::vector<std::string> rows;
        for (int y = l.plot_pixels.y1; y <= l.plot_pixels.y2; ++y) {
            std::string row;
            for (int x = l.plot_pixels.x1; x <= l.plot_pixels.x2; ++x) {
                int p = screen.pixel(x, y) & 15;
                if (complemented) p = 15 - p;
                row.push_back("0123456789abcdef"[p]);
            }
            rows.push_back(row);
        }
        return rows;
    }
    void save(const std::string& name, bool inverted) {
        screen.text(name);
        screen.key(keys::ENTER);
        write_bitmap_file(inverted);
        EXPECT_EQ(screen.pending_keys(), 0u);
    }
};

std::string expected_palette() {
    std::string text;
    char buf[8];
    for (const Rgb& c : VGA_PALETTE) {
        std::snprintf(buf, sizeof buf, "%02X%02X%02X", c.red, c.green, c.blue);
        text.append(text.empty() ? "" : " ").append(buf);
    }
    return text;
}

TEST_F(BitmapFiles, PlainFileHoldsThePlotAreaWithSizeDepthAndPalette) {
    if (!have_python()) GTEST_SKIP() << "python3 is not installed";
    save("plain", false);
    ASSERT_TRUE(file_exists("PLAIN.BMP"));
    const BmpReading r = read_with_python(folder / "PLAIN.BMP");
    EXPECT_EQ(r.header,
              "file_size=98422 actual_size=98422 offset=118 header_size=40 width=512 height=384 "
              "planes=1 bits=4 compression=0 image_size=98304 colors_used=16 important=16");
    EXPECT_EQ(r.palette, expected_palette());
    EXPECT_EQ(r.rows, plot_area_rows(false));
    EXPECT_EQ(screen.row_text(1).substr(76), std::string(4, ' '));
    EXPECT_EQ(message_row_text(), std::string(80, ' '));
}

TEST_F(BitmapFiles, InvertedFileHoldsComplementedColoursWhileTheScreenIsRestored) {
    if (!have_python()) GTEST_SKIP() << "python3 is not installed";
    const auto before = plot_area_rows(false);
    save("inv", true);
    const BmpReading r = read_with_python(folder / "INV.BMP");
    EXPECT_EQ(r.palette, expected_palette());
    EXPECT_EQ(r.rows, plot_area_rows(true));
    EXPECT_EQ(plot_area_rows(false), before);
    // A second inverted save reuses the kept buffer.
    save("inv2", true);
    EXPECT_EQ(read_with_python(folder / "INV2.BMP").rows, r.rows);
}

TEST_F(BitmapFiles, OverwriteDeletesTheOldFileFirst) {
    { std::ofstream("old.bmp") << "not a picture"; }
    screen.text("OLD");
    screen.key(keys::ENTER);
    screen.key('y');
    write_bitmap_file(false);
    EXPECT_FALSE(file_exists("old.bmp") && fs::file_size(folder / "old.bmp") < 100);
    ASSERT_TRUE(file_exists("OLD.BMP"));
    EXPECT_EQ(fs::file_size(folder / "OLD.BMP"), 98422u);
}

TEST_F(BitmapFiles, FailedSaveIsReportedAndTheScreenRestored) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    const auto before = plot_area_rows(false);
    fs::create_symlink("/dev/full", folder / "FULL.BMP");
    screen.text("full");
    screen.key(keys::ENTER);
    ASSERT_TRUE(waits_for_more_keys([] { write_bitmap_file(true); }));
    EXPECT_EQ(message_row_text().substr(0, 36), "Error writing bitmap file FULL.BMP! ");
    EXPECT_EQ(plot_area_rows(false), before);
}

TEST_F(BitmapFiles, NoMemoryForTheInvertedSaveKeepsTheOldFile) {
    { std::ofstream("KEEP.BMP") << "old"; }
    screen.set_image_buffers_available(false);
    screen.text("keep");
    screen.key(keys::ENTER);
    screen.key('y');
    screen.key(' ');  // dismisses the message
    write_bitmap_file(true);
    screen.set_image_buffers_available(true);
    EXPECT_TRUE(file_text("KEEP.BMP") == "old");
    EXPECT_EQ(screen.pending_keys(), 0u);
}

}  // namespace
