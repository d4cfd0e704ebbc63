#include "port_index_selection.h"

#include <gtest/gtest.h>

#include "headless_screen.h"
#include "key_codes.h"

namespace {

constexpr int FIELD_ROW = 28;
const Tone ERROR_TONE{1000, 50};
const Tone BOUNDARY_TONE{500, 50};

class PortIndexSelectionTest : public ::testing::Test {
protected:
    HeadlessScreen screen;
};

TEST_F(PortIndexSelectionTest, OnePortBeepsOnceAndSetsBothIndicesToOne) {
    int i = 3, j = 2;
    select_port_indices('s', i, j, 1);
    EXPECT_EQ(i, 1);
    EXPECT_EQ(j, 1);
    EXPECT_EQ(screen.tones(), std::vector<Tone>{ERROR_TONE});
    EXPECT_EQ(screen.text_at(1, 41, 19), std::string(19, ' '));
}

TEST_F(PortIndexSelectionTest, OpensWithIndicesBeyondThePortCountSetToOne) {
    int i = 7, j = 2;
    EXPECT_THROW(select_port_indices('y', i, j, 3), KeysExhausted);
    EXPECT_EQ(screen.text_at(1, 41, 19), "SELECT PORT INDICES");
    EXPECT_EQ(screen.text_at(FIELD_ROW, 1, 8), "y( 1, 2)");
    EXPECT_EQ(screen.cell_color(FIELD_ROW, 4), 15);  // the active first index
    EXPECT_EQ(screen.cell_color(FIELD_ROW, 7), 7);
    EXPECT_NE(screen.row_text(30).find("1st"), std::string::npos);
}

TEST_F(PortIndexSelectionTest, LargeStepsStopAtTheLastPort) {
    int i = 8, j = 1;
    screen.extended(keys::PGDN);
    screen.extended(keys::PGDN);
    screen.key(keys::ENTER);
    select_port_indices('s', i, j, 9);
    EXPECT_EQ(i, 9);
    EXPECT_EQ(j, 1);
    EXPECT_EQ(screen.tones(), std::vector<Tone>{BOUNDARY_TONE});
}

TEST_F(PortIndexSelectionTest, ArrowsSwitchTheActiveIndexAndEscKeepsTheChanges) {
    int i = 1, j = 2;
    screen.extended(keys::LEFT);   // already on the first: error beep
    screen.extended(keys::RIGHT);  // to the second
    screen.extended(keys::DOWN);
    screen.extended(keys::RIGHT);  // already on the second: error beep
    screen.extended(keys::F4);
    screen.extended(keys::END);
    screen.key('x');
    screen.key(keys::ESC);
    select_port_indices('z', i, j, 3);
    EXPECT_EQ(i, 3);
    EXPECT_EQ(j, 3);
    EXPECT_EQ(screen.tones(), (std::vector<Tone>{ERROR_TONE, ERROR_TONE, ERROR_TONE}));
    EXPECT_EQ(screen.text_at(1, 41, 19), std::string(19, ' '));
    EXPECT_EQ(screen.text_at(FIELD_ROW, 1, 8), std::string(8, ' '));
}

TEST_F(PortIndexSelectionTest, SecondIndexIsShownBrightWhenActive) {
    int i = 2, j = 3;
    screen.extended(keys::F5);
    screen.extended(keys::UP);
    EXPECT_THROW(select_port_indices('s', i, j, 4), KeysExhausted);
    EXPECT_EQ(screen.text_at(FIELD_ROW, 1, 8), "s( 2, 2)");
    EXPECT_EQ(screen.cell_color(FIELD_ROW, 4), 7);
    EXPECT_EQ(screen.cell_color(FIELD_ROW, 7), 15);
}

}  // namespace
