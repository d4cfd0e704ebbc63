#include "file_chooser.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <tuple>

#include "headless_screen.h"
#include "key_codes.h"
#include "scratch_folder.h"
#include "screen_surface.h"
#include "screen_toolkit.h"

namespace {

const Tone BOUNDARY_TONE{500, 50};

// The chooser's box: frame at rows 2 and h + 3, items from row 3, column 2.
constexpr int FIRST_ITEM_ROW = 3;

class FileChooserTest : public ::testing::Test {
protected:
    int position = 1;  // the chooser's remembered position

    void make_files(std::initializer_list<const char*> names) {
        for (const char* name : names) dir.write(name, "");
    }
    // F01.SPM .. Fnn.SPM
    void make_numbered_files(int count) {
        for (int n = 1; n <= count; ++n) {
            char name[16];
            std::snprintf(name, sizeof name, "F%02d.SPM", n);
            dir.write(name, "");
        }
    }
    std::string item_in_row(int window_row) {
        return screen.text_at(FIRST_ITEM_ROW + window_row - 1, 2, 12);
    }
    bool bright(int window_row) {
        return screen.cell_color(FIRST_ITEM_ROW + window_row - 1, 2) == 15;
    }
    // Opens the chooser with the given keys; it is left open when they run out.
    void open_chooser() {
        EXPECT_THROW(choose_file("spm", name, chosen, "LOAD", position), KeysExhausted);
    }

    ScratchFolder dir;
    HeadlessScreen screen;
    std::string name = std::string(20, ' ');
    bool chosen = true;
};

std::string padded(const std::string& text, std::size_t length) {
    std::string result = text;
    result.resize(length, ' ');
    return result;
}

TEST_F(FileChooserTest, ListsMatchingNamesSortedInAFramedBox) {
    make_files({"c.spm", "A.SPM", "b.spm", "x.ypm", "name_too_long.spm"});
    open_chooser();
    EXPECT_EQ(screen.text_at(1, 77, 4), "LOAD");
    EXPECT_EQ(item_in_row(1), padded("A.SPM", 12));
    EXPECT_EQ(item_in_row(2), padded("b.spm", 12));
    EXPECT_EQ(item_in_row(3), padded("c.spm", 12));
    EXPECT_TRUE(bright(1));
    EXPECT_FALSE(bright(2));
    const std::string top = screen.text_at(2, 1, 14);
    EXPECT_EQ(top[0], '\xC9');
    EXPECT_EQ(top[13], '\xBB');
    EXPECT_NE(top.find(" File? "), std::string::npos);
    EXPECT_EQ(screen.text_at(3, 1, 1), "\xBA");
    EXPECT_EQ(screen.text_at(6, 1, 14), "\xC8" + std::string(12, '\xCD') + "\xBC");
}

TEST_F(FileChooserTest, EnterChoosesAndTheScreenUnderTheBoxComesBack) {
    make_files({"one.spm", "two.spm", "three.spm"});
    print_at(4, 3, COLOR_NORMAL, "beneath the box");
    const auto pixels = [&] {  // the box's cells: columns 1 to 14, rows 2 to 6
        std::vector<std::uint8_t> all;
        for (int y = 16; y < 6 * 16; ++y)
            for (int x = 0; x < 14 * 8; ++x) all.push_back(screen.pixel(x, y));
        return all;
    };
    const auto texts = [&] {
        std::vector<std::string> rows;
        for (int row = 2; row <= 6; ++row) rows.push_back(screen.row_text(row));
        return rows;
    };
    const std::vector<std::uint8_t> before = pixels();
    const std::vector<std::string> text_before = texts();
    const TextWindow window = get_text_window();
    screen.extended(keys::DOWN);
    screen.key(keys::ENTER);
    choose_file("spm", name, chosen, "LOAD", position);
    EXPECT_TRUE(chosen);
    EXPECT_EQ(name, padded("three.spm", 20));
    EXPECT_EQ(position, 2);
    EXPECT_EQ(pixels(), before);
    EXPECT_EQ(texts(), text_before);
    EXPECT_EQ(screen.text_at(4, 3, 15), "beneath the box");
    EXPECT_EQ(screen.cell_color(4, 3), COLOR_NORMAL);
    const TextWindow after = get_text_window();
    EXPECT_EQ(std::tie(after.top, after.left, after.bottom, after.right),
              std::tie(window.top, window.left, window.bottom, window.right));
    EXPECT_EQ(screen.text_at(1, 77, 4), "    ");
    const ScreenLayout& layout = screen_layout();
    EXPECT_EQ(layout.plot_cells.right, 64);
    EXPECT_EQ(layout.plot_cells.bottom, 25);
}

TEST_F(FileChooserTest, EscChoosesNothingButTakesTheNameAtThePosition) {
    make_files({"one.spm", "two.spm"});
    screen.extended(keys::END);
    screen.key(keys::ESC);
    choose_file("spm", name, chosen, "LOAD", position);
    EXPECT_FALSE(chosen);
    EXPECT_EQ(name, padded("two.spm", 20));
}

TEST_F(FileChooserTest, TwentyFiveFilesEndThenPageUp) {
    make_numbered_files(25);
    screen.extended(keys::END);
    open_chooser();
    EXPECT_EQ(item_in_row(1), padded("F06.SPM", 12));
    EXPECT_EQ(item_in_row(20), padded("F25.SPM", 12));
    EXPECT_TRUE(bright(20));

    screen.extended(keys::END);
    screen.extended(keys::PGUP);
    open_chooser();
    EXPECT_EQ(item_in_row(1), padded("F01.SPM", 12));
    EXPECT_EQ(item_in_row(20), padded("F20.SPM", 12));
    EXPECT_EQ(item_in_row(5), padded("F05.SPM", 12));
    EXPECT_TRUE(bright(5));
    EXPECT_FALSE(bright(20));
}

TEST_F(FileChooserTest, RememberedPositionOpensAsFarDownAsTheListAllows) {
    make_numbered_files(39);
    position = 21;
    open_chooser();
    EXPECT_EQ(item_in_row(1), padded("F20.SPM", 12));
    EXPECT_EQ(item_in_row(2), padded("F21.SPM", 12));
    EXPECT_TRUE(bright(2));
    EXPECT_EQ(item_in_row(20), padded("F39.SPM", 12));
}

TEST_F(FileChooserTest, RememberedPositionBeyondTheListOpensAtTheFirstItem) {
    make_numbered_files(7);
    position = 30;
    open_chooser();
    EXPECT_TRUE(bright(1));
    EXPECT_EQ(position, 1);
    EXPECT_EQ(screen.text_at(10, 1, 1), "\xC8");  // a box of 7 rows
}

TEST_F(FileChooserTest, PageDownInAShortListGoesToTheLastItem) {
    make_numbered_files(3);
    screen.extended(keys::PGDN);
    screen.extended(keys::PGDN);
    open_chooser();
    EXPECT_TRUE(bright(3));
    EXPECT_FALSE(bright(1));
    EXPECT_EQ(screen.tones(), std::vector<Tone>{BOUNDARY_TONE});
}

TEST_F(FileChooserTest, MovingPastTheLastRowScrollsByOneRow) {
    make_numbered_files(25);
    position = 20;
    screen.extended(keys::DOWN);
    screen.extended(keys::DOWN);
    open_chooser();
    EXPECT_EQ(item_in_row(1), padded("F03.SPM", 12));
    EXPECT_EQ(item_in_row(19), padded("F21.SPM", 12));
    EXPECT_EQ(item_in_row(20), padded("F22.SPM", 12));
    EXPECT_FALSE(bright(19));
    EXPECT_TRUE(bright(20));

    // Reopened at 22 (items 6 to 25 shown): the 17th Up scrolls down by one.
    ASSERT_EQ(position, 22);
    for (int n = 0; n < 17; ++n) screen.extended(keys::UP);
    open_chooser();
    EXPECT_EQ(item_in_row(1), padded("F05.SPM", 12));
    EXPECT_EQ(item_in_row(2), padded("F06.SPM", 12));
    EXPECT_TRUE(bright(1));
    EXPECT_FALSE(bright(2));
}

TEST_F(FileChooserTest, AtMostFiveHundredNamesAreListed) {
    for (int n = 0; n < 510; ++n) dir.write(std::string("L").append(std::to_string(n)).append(".spm"), "");
    std::vector<std::string> names = search_file_names("*.spm");
    EXPECT_EQ(names.size(), 500u);
    sort_file_names(names);
    for (std::size_t n = 1; n < names.size(); ++n) EXPECT_LE(names[n - 1], names[n]);
}

TEST_F(FileChooserTest, NoMatchingFilesLeavesTheNameAsItWas) {
    make_files({"spar.dat"});
    name = padded("keep.spm", 20);
    screen.key('x');
    choose_file("spm", name, chosen, "LOAD", position);
    EXPECT_FALSE(chosen);
    EXPECT_EQ(name, padded("keep.spm", 20));

    EXPECT_THROW(choose_file("spm", name, chosen, "LOAD", position), KeysExhausted);
    EXPECT_EQ(screen.text_at(29, 1, 18), "No matching files!");
}

TEST_F(FileChooserTest, BoxThatCannotBeSavedIsNotShown) {
    make_files({"one.spm"});
    screen.set_image_buffers_available(false);
    screen.key('x');
    choose_file("spm", name, chosen, "LOAD", position);
    EXPECT_FALSE(chosen);
    EXPECT_EQ(screen_layout().plot_cells.right, 64);
    EXPECT_EQ(screen_layout().plot_cells.bottom, 25);
    EXPECT_THROW(choose_file("spm", name, chosen, "LOAD", position), KeysExhausted);
    EXPECT_EQ(screen.text_at(29, 1, 17), "Cannot open menu!");
}

}  // namespace
