#include <filesystem>
#include <fstream>

#include "bitmap_file.h"
#include "bitmap_output.h"
#include "file_chooser.h"
#include "key_codes.h"
#include "screen_surface.h"
#include "screen_test_support.h"
#include "screen_toolkit.h"
#include "software_canvas.h"

namespace {

namespace fs = std::filesystem;

class StoreRecall : public ScreenInTempFolder {
protected:
    void SetUp() override {
        ScreenInTempFolder::SetUp();
        const ScreenLayout& l = screen_layout();
        w_ = l.plot_pixels.x2 - l.plot_pixels.x1;
        h_ = l.plot_pixels.y2 - l.plot_pixels.y1;
        set_window(false, 0, 0, w_, h_);
        // Picture B, saved as B.BMP, then the diagram A on the screen.
        draw_bands(0, 9);
        screen.text("b");
        screen.key(keys::ENTER);
        write_bitmap_file(false);
        clear_screen(ClearArea::VIEWPORT);
        draw_bands(w_ / 2, 6);
        diagram_ = plot_area();
    }
    void draw_bands(int from, int color) {
        set_color(color);
        for (int x = from; x <= from + w_ / 4; ++x) {
            move_to(x, 0);
            line_to(x, h_);
        }
    }
    std::vector<int> plot_area() const {
        const ScreenLayout& l = screen_layout();
        std::vector<int> p;
        for (int y = l.plot_pixels.y1; y <= l.plot_pixels.y2; ++y)
            for (int x = l.plot_pixels.x1; x <= l.plot_pixels.x2; ++x)
                p.push_back(screen.pixel(x, y) & 15);
        return p;
    }
    // The diagram drawn again, the chooser's first picture loaded over it,
    // then Clr: the kept diagram is shown again.
    void load_then_clear_back_to_the_diagram() {
        clear_screen(ClearArea::VIEWPORT);
        draw_bands(w_ / 2, 6);
        screen.extended(keys::F2);
        screen.key(keys::ENTER);
        screen.extended(keys::F6);  // Clr
        ASSERT_TRUE(waits_for_more_keys([&] { store_recall(chooser_position); }));
        EXPECT_EQ(plot_area(), diagram_);
    }
    int pixel(int x, int y) const {
        const ScreenLayout& l = screen_layout();
        return screen.pixel(l.plot_pixels.x1 + x, l.plot_pixels.y1 + y) & 15;
    }

    int w_ = 0, h_ = 0;
    std::vector<int> diagram_;
};

TEST_F(StoreRecall, LoadOverlayClearAndLeaveShowTheKeptDiagramAgain) {
    const int left = 10, right = w_ / 2 + 10, y = h_ / 2;
    screen.extended(keys::F2);
    screen.key(keys::ENTER);  // B.BMP, the only bitmap file
    screen.extended(keys::F10);
    store_recall(chooser_position);
    // On leaving the kept diagram is back.
    EXPECT_EQ(plot_area(), diagram_);
    EXPECT_EQ(screen.row_text(1).substr(61, 12), std::string(12, ' '));
    EXPECT_EQ(screen.pending_keys(), 0u);

    screen.extended(keys::F2);
    screen.key(keys::ENTER);
    screen.extended(keys::F4);  // overlay: A's colours OR-ed over B
    ASSERT_TRUE(waits_for_more_keys([&] { store_recall(chooser_position); }));
    EXPECT_EQ(pixel(left, y), 9);
    EXPECT_EQ(pixel(right, y), 6);
    EXPECT_EQ(screen.text_at(1, 62, 12), "STORE/RECALL");
    EXPECT_EQ(screen.text_at(30, 11, 6), "LoaBMP");

    // A call left while the loaded picture is shown keeps that picture, so
    // the diagram is drawn again before the next one.
    ASSERT_NO_FATAL_FAILURE(load_then_clear_back_to_the_diagram());
}

// A picture of the whole screen stays within the plot area, and Clr brings
// the kept diagram back.
TEST_F(StoreRecall, ABitmapLargerThanThePlotAreaIsClippedToIt) {
    fs::remove(folder / "B.BMP");
    SoftwareCanvas whole;
    whole.reset(640, 480, 80, 30);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) whole.set_pixel(x, y, 12);
    ASSERT_EQ(write_bmp_image(whole, "BIG.BMP", 0, 0, 639, 479), 0);
    print_at(10, 66, COLOR_NORMAL, "side panel");
    const ScreenLayout& l = screen_layout();

    screen.extended(keys::F2);
    screen.key(keys::ENTER);  // BIG.BMP
    ASSERT_TRUE(waits_for_more_keys([&] { store_recall(chooser_position); }));
    EXPECT_EQ(plot_area(), std::vector<int>(diagram_.size(), 12));
    EXPECT_EQ(screen.pixel(l.plot_pixels.x2 + 1, l.plot_pixels.y1), 0);
    EXPECT_EQ(screen.pixel(l.plot_pixels.x1, l.plot_pixels.y2 + 1), 0);
    EXPECT_EQ(screen.text_at(10, 66, 10), "side panel");
    EXPECT_EQ(screen.text_at(1, 62, 12), "STORE/RECALL");

    ASSERT_NO_FATAL_FAILURE(load_then_clear_back_to_the_diagram());
    EXPECT_EQ(screen.text_at(10, 66, 10), "side panel");
    EXPECT_EQ(screen.text_at(1, 62, 12), "STORE/RECALL");
}

TEST_F(StoreRecall, UnknownKeysBeepAndEscLeaves) {
    screen.extended(keys::F1);
    screen.extended(keys::F3);
    screen.key('x');
    screen.key(keys::ESC);
    store_recall(chooser_position);
    EXPECT_EQ(screen.tones(), (std::vector<Tone>{{1000, 50}, {1000, 50}, {1000, 50}}));
    EXPECT_EQ(plot_area(), diagram_);
}

TEST_F(StoreRecall, SaveAndDeleteBitmapFiles) {
    screen.extended(keys::F8);
    screen.text("kept");
    screen.key(keys::ENTER);
    screen.extended(keys::F9);
    screen.key(keys::ENTER);  // B.BMP comes first in the sorted list
    screen.key('y');
    screen.extended(keys::F10);
    store_recall(chooser_position);
    EXPECT_TRUE(file_exists("KEPT.BMP"));
    EXPECT_FALSE(file_exists("B.BMP"));
    EXPECT_EQ(plot_area(), diagram_);
}

TEST_F(StoreRecall, BadBitmapIsReportedAndTheMenuStaysOpen) {
    fs::remove(folder / "B.BMP");
    { std::ofstream(folder / "BAD.BMP") << "not a picture"; }
    screen.extended(keys::F2);
    screen.key(keys::ENTER);
    ASSERT_TRUE(waits_for_more_keys([&] { store_recall(chooser_position); }));
    EXPECT_EQ(message_row_text().substr(0, 34), "Error loading bitmap file BAD.BMP!");
    screen.key(' ');
    screen.extended(keys::F10);
    store_recall(chooser_position);
    EXPECT_EQ(plot_area(), diagram_);
}

TEST_F(StoreRecall, NoMemoryForTheKeptImage) {
    screen.set_image_buffers_available(false);
    ASSERT_TRUE(waits_for_more_keys([&] { store_recall(chooser_position); }));
    EXPECT_EQ(message_row_text().substr(0, 36), "Cannot initialize storing/recalling!");
    screen.key(' ');
    store_recall(chooser_position);
    screen.set_image_buffers_available(true);
    EXPECT_EQ(screen.pending_keys(), 0u);
    EXPECT_EQ(screen.row_text(1).substr(61, 12), std::string(12, ' '));
    EXPECT_EQ(plot_area(), diagram_);
}

}  // namespace
