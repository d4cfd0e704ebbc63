#include "change_scale.h"

#include <gtest/gtest.h>

#include "screen_fixture.h"

namespace {

class ChangeScaleTest : public DiagramTest {
protected:
    // Draws the magnitude of a sweep as the editor would before F2.
    void draw(const ElementSweep& w) { DiagramTest::draw(w, MAGNITUDE); }
    bool run() { return runs_to_end([this] { change_scale(state); }); }
    std::string field(int n) const {
        const int columns[] = {5, 21, 41, 57};
        return screen.text_at(27, columns[n - 1], 10);
    }

    // 1 to 2 GHz, magnitudes 0.2 to 0.8: axes 1 to 2 GHz and 200 to 800 m.
    ElementSweep gigahertz = linear_sweep({0.2f, 0.5f, 0.8f}, {0, 0, 0}, 1e9f, 2e9f);
    // 100 to 500 MHz.
    ElementSweep megahertz = linear_sweep({0.2f, 0.5f, 0.8f}, {0, 0, 0}, 1e8f, 5e8f);
};

TEST_F(ChangeScaleTest, ShowsLimitsInTheUnitsOfTheAxisPrefixes) {
    draw(gigahertz);
    EXPECT_FALSE(run());
    EXPECT_EQ(screen.text_at(1, 62, 12), "CHANGE SCALE");
    EXPECT_EQ(screen.text_at(26, 11, 7), "f [GHz]");
    EXPECT_EQ(screen.text_at(26, (30 - 11) / 2 + 37, 11), "abs(s) [mU]");
    EXPECT_EQ(screen.text_at(27, 1, 4), "min=");
    EXPECT_EQ(field(1), "     1.000");
    EXPECT_EQ(field(2), "     2.000");
    EXPECT_EQ(field(3), "   200.000");
    EXPECT_EQ(field(4), "   800.000");
    EXPECT_EQ(screen.cell_color(27, 10), 15);  // field 1 is selected
    EXPECT_EQ(screen.cell_color(27, 26), 7);
    EXPECT_EQ(screen.text_at(30, 19, 4), "xmin");
    EXPECT_EQ(screen.text_at(30, 27, 4), "xmax");
    EXPECT_EQ(screen.text_at(30, 35, 4), "ymin");
    EXPECT_EQ(screen.text_at(30, 43, 4), "ymax");
    EXPECT_EQ(screen.text_at(30, 76, 3), "End");
}

TEST_F(ChangeScaleTest, TypingTwoInTheGigahertzFieldSetsTwoGigahertz) {
    draw(gigahertz);
    fn(4);
    screen.text("2");
    fn(10);
    EXPECT_TRUE(run());
    EXPECT_FLOAT_EQ(state.x_max, 2e9f);
    EXPECT_FLOAT_EQ(state.x_min, 1e9f);
    // Leaving clears the caption and the work area.
    EXPECT_EQ(row(1).find("CHANGE SCALE"), std::string::npos);
    EXPECT_EQ(row(27), "");
}

TEST_F(ChangeScaleTest, AValueTenThousandUnitsLargeChangesThePrefixWithTwoBeeps) {
    draw(megahertz);
    EXPECT_EQ(state.x_prefix, 'M');
    fn(4);
    screen.text("20000");
    screen.key(keys::ENTER);
    EXPECT_FALSE(run());
    EXPECT_FLOAT_EQ(state.x_max, 2e10f);
    EXPECT_EQ(state.x_prefix, 'G');
    EXPECT_EQ(field(2), "    20.000");
    EXPECT_EQ(screen.text_at(26, 11, 7), "f [GHz]");
    ASSERT_EQ(screen.tones().size(), 2u);
    EXPECT_EQ(screen.tones()[0], (Tone{1250, 100}));
    EXPECT_EQ(screen.tones()[1], (Tone{1000, 100}));
    // Enter moved on to field 3.
    EXPECT_EQ(screen.cell_color(27, 50), 15);
}

TEST_F(ChangeScaleTest, ReversedLimitsAreExchangedAndEqualOnesRestoreTheData) {
    draw(gigahertz);
    screen.text("3");  // x minimum 3 GHz, above the maximum
    screen.key(keys::ENTER);
    screen.text("500");  // x maximum 500 (GHz units)
    fn(5);
    screen.text("400");
    fn(6);
    screen.text("400");  // y limits equal
    screen.key(keys::ENTER);
    screen.key(keys::ESC);
    EXPECT_TRUE(run());
    EXPECT_FLOAT_EQ(state.x_min, 3e9f);
    EXPECT_FLOAT_EQ(state.x_max, 5e11f);
    EXPECT_FLOAT_EQ(state.y_min, 0.2f);
    EXPECT_FLOAT_EQ(state.y_max, 0.8f);

    draw(gigahertz);
    screen.text("3");
    fn(10);
    EXPECT_TRUE(run());
    EXPECT_FLOAT_EQ(state.x_min, 2e9f);
    EXPECT_FLOAT_EQ(state.x_max, 3e9f);
}

TEST_F(ChangeScaleTest, HomeReturnsToTheDataRange) {
    ElementSweep w = linear_sweep({0.03f, 0.7f, 1.52f}, {0, 0, 0}, 1.05e9f, 1.95e9f);
    draw(w);
    EXPECT_FLOAT_EQ(state.y_max, 1.6f);
    EXPECT_FLOAT_EQ(state.x_min, 1e9f);
    screen.extended(keys::HOME);
    fn(10);
    EXPECT_TRUE(run());
    EXPECT_FLOAT_EQ(state.x_min, 1.05e9f);
    EXPECT_FLOAT_EQ(state.x_max, 1.95e9f);
    EXPECT_FLOAT_EQ(state.y_min, 0.03f);
    EXPECT_FLOAT_EQ(state.y_max, 1.52f);
    // The next draw is the automatic scaling of the data again.
    redraw();
    EXPECT_EQ(state.y_div_count, 16);
}

TEST_F(ChangeScaleTest, FieldSelectionKeys) {
    draw(gigahertz);
    screen.extended(keys::LEFT);  // from 1 back to 4
    EXPECT_FALSE(run());
    EXPECT_EQ(screen.cell_color(27, 66), 15);

    screen.extended(keys::RIGHT);
    screen.extended(keys::RIGHT);  // 1 -> 2 -> 3
    EXPECT_FALSE(run());
    EXPECT_EQ(screen.cell_color(27, 50), 15);
    EXPECT_EQ(screen.cell_color(27, 66), 7);

    screen.clear_tones();
    fn(1);
    screen.key('x');
    screen.extended(keys::PGUP);
    EXPECT_FALSE(run());
    EXPECT_EQ(error_beeps(), 3);
}

TEST_F(ChangeScaleTest, EscInsideAnEntryKeepsTheLimit) {
    draw(gigahertz);
    screen.text("7");
    screen.key(keys::ESC);  // gives up the entry
    screen.key(keys::ESC);  // leaves the screen
    EXPECT_TRUE(run());
    EXPECT_FLOAT_EQ(state.x_min, 1e9f);
}

}  // namespace
