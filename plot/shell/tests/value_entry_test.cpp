#include <gtest/gtest.h>

#include "headless_screen.h"
#include "key_codes.h"
#include "keys_and_sound.h"
#include "screen_toolkit.h"
#include "value_entry.h"

namespace {

const Tone ERROR_BEEP{1000, 50};
const Tone BOUNDARY_BEEP{500, 50};
const Tone REJECTION_BEEP{250, 50};

TEST(EnterName, NinthLetterActsAsEnter) {
    HeadlessScreen screen;
    screen.text("abcdefghi");
    std::string field(20, 'z');
    EXPECT_TRUE(enter_name(28, 12, field, 8));
    EXPECT_EQ(field, "abcdefgh" + std::string(12, ' '));
    EXPECT_EQ(screen.text_at(28, 12, 9), "abcdefgh ");
    EXPECT_EQ(screen.cell_color(28, 12), 15);
    EXPECT_EQ(screen.pending_keys(), 0u);
    EXPECT_FALSE(screen.cursor_visible());
    EXPECT_TRUE(screen.tones().empty());
}

TEST(EnterName, BackspaceBeepsOnlyWhenEmpty) {
    HeadlessScreen screen;
    screen.keys({8, 'A', 'B', 8, 'C', 13});
    std::string field(20, ' ');
    EXPECT_TRUE(enter_name(28, 12, field, 8));
    EXPECT_EQ(field.substr(0, 3), "AC ");
    EXPECT_EQ(screen.text_at(28, 12, 3), "AC ");
    EXPECT_EQ(screen.tones(), std::vector<Tone>{BOUNDARY_BEEP});
}

TEST(EnterName, OnlyLettersAndDigitsAreTaken) {
    HeadlessScreen screen;
    screen.keys({'.', ':', '\\', ' ', '7'});
    screen.extended(keys::LEFT);
    screen.key(27);
    std::string field(20, ' ');
    EXPECT_FALSE(enter_name(28, 12, field, 8));
    EXPECT_EQ(field, "7" + std::string(19, ' '));  // kept although not accepted
    EXPECT_EQ(screen.tones(), std::vector<Tone>(5, ERROR_BEEP));
}

TEST(EnterReal, FirstKeyDigitIsShownAndContinued) {
    HeadlessScreen screen;
    screen.keys({'0', 13});
    int key = '5';
    float value = -1;
    EXPECT_TRUE(enter_real(key, 28, 20, 10, value, 0, 100));
    EXPECT_FLOAT_EQ(value, 50);
    EXPECT_EQ(key, 13);
    EXPECT_EQ(screen.text_at(28, 20, 3), "50 ");
}

TEST(EnterReal, FirstKeyEIsIgnored) {
    HeadlessScreen screen;
    screen.keys({'1', '5', 13});
    int key = 'E';
    float value = -1;
    EXPECT_TRUE(enter_real(key, 28, 20, 10, value, 0, 100));
    EXPECT_FLOAT_EQ(value, 15);
}

TEST(EnterReal, ParsesExponentsAndEmptyField) {
    HeadlessScreen screen;
    float value = -1;
    int key = '1';
    screen.keys({'e', '3', 13});
    EXPECT_TRUE(enter_real(key, 28, 20, 10, value, 0, 1000));  // equal to the limit
    EXPECT_FLOAT_EQ(value, 1000);
    key = '-';
    screen.keys({'.', '5', 'E', '-', '1', 13});
    EXPECT_TRUE(enter_real(key, 28, 20, 10, value, -1, 1));
    EXPECT_FLOAT_EQ(value, -0.05f);
    key = 13;
    screen.keys({13});
    EXPECT_TRUE(enter_real(key, 28, 20, 10, value, -1, 1));
    EXPECT_FLOAT_EQ(value, 0);
    EXPECT_TRUE(screen.tones().empty());
}

TEST(EnterReal, InvalidRealIsRejectedAndEntryStartsAgain) {
    HeadlessScreen screen;
    int key = '1';
    float value = 7;
    screen.keys({'.', '2', '.', '3', 13});
    EXPECT_THROW(enter_real(key, 28, 20, 10, value, 0, 10), KeysExhausted);
    EXPECT_EQ(screen.row_text(29), "Invalid real!" + std::string(67, ' '));
    EXPECT_EQ(screen.tones(), std::vector<Tone>{REJECTION_BEEP});

    screen.clear_tones();
    key = '1';
    screen.keys({'.', '2', '.', '3', 13, ' ', '2', 13});  // blank dismisses the message
    EXPECT_TRUE(enter_real(key, 28, 20, 10, value, 0, 10));
    EXPECT_FLOAT_EQ(value, 2);
    EXPECT_EQ(screen.text_at(28, 20, 6), "2     ");
}

TEST(EnterReal, ValueOutsideLimitsShowsTheLimits) {
    HeadlessScreen screen;
    int key = '2';
    float value = 7;
    screen.keys({'0', '0', 13});
    EXPECT_THROW(enter_real(key, 28, 20, 10, value, 0, 100), KeysExhausted);
    EXPECT_EQ(screen.row_text(29).substr(0, 49), "Number exceeds limits (         0 to        100)!");
    EXPECT_FLOAT_EQ(value, 200);  // the caller's copy holds the rejected number
    key = '5';
    screen.clear_tones();
    screen.keys({13, 'x', 27});  // 'x' dismisses the message, Esc gives up
    value = 7;
    EXPECT_FALSE(enter_real(key, 28, 20, 10, value, 1e6f, 2e6f));
    EXPECT_EQ(screen.tones(), std::vector<Tone>{REJECTION_BEEP});
}

TEST(EnterReal, HugeNumberIsRejectedNotConverted) {
    HeadlessScreen screen;
    int key = '1';
    float value = 0;
    screen.keys({'e', '9', '9', 13});
    EXPECT_THROW(enter_real(key, 28, 20, 10, value, -1e30f, 1e30f), KeysExhausted);
    EXPECT_EQ(screen.row_text(29).substr(0, 23), "Number exceeds limits (");
}

TEST(EnterReal, ArrowKeyEndsEntryAndLeavesItsScanCode) {
    HeadlessScreen screen;
    int key = '3';
    float value = 0;
    screen.extended(keys::DOWN);
    EXPECT_TRUE(enter_real(key, 28, 20, 10, value, 0, 10));
    EXPECT_FLOAT_EQ(value, 3);
    EXPECT_EQ(key, 0);
    EXPECT_EQ(read_key(), keys::DOWN);
    EXPECT_FALSE(screen.cursor_visible());
}

TEST(EnterReal, EscapeKeepsValueAndWidthLimitsTyping) {
    HeadlessScreen screen;
    int key = '1';
    float value = 42;
    screen.keys({'2', '3', '4', 8, 8, 8, 8, 8, 27});
    EXPECT_FALSE(enter_real(key, 28, 20, 3, value, 0, 1000));
    EXPECT_FLOAT_EQ(value, 42);
    EXPECT_EQ(key, 27);
    // "4" did not fit in three columns; five backspaces found three characters.
    EXPECT_EQ(screen.tones(), (std::vector<Tone>{ERROR_BEEP, BOUNDARY_BEEP, BOUNDARY_BEEP}));
}

}  // namespace
