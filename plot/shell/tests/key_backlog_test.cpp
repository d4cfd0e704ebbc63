// Keys arriving faster than the error beeps they cause: a key held down
// (the keyboard's auto-repeat) must not build a backlog that delays Esc, and
// keys typed during a tone are still all taken, in order.
#include <gtest/gtest.h>

#include <algorithm>

#include "headless_screen.h"
#include "key_codes.h"
#include "screen_toolkit.h"

namespace {

const Tone ERROR_BEEP{1000, 50};

TEST(KeyBacklog, AHeldKeyDoesNotDelayEscBehindItsErrorBeeps) {
    HeadlessScreen screen;
    // 'x' only beeps at a yes/no question; held down it repeats every 20 ms,
    // faster than the 50 ms tone. Esc arrives after 40 s of repeats.
    constexpr int REPEATS = 2000;
    constexpr long INTERVAL_MS = 20;
    screen.timed_key(0, false, {'x'});
    for (int i = 1; i < REPEATS; ++i) screen.timed_key(i * INTERVAL_MS, true, {'x'});
    const long esc_arrives = REPEATS * INTERVAL_MS;
    screen.timed_key(esc_arrives, false, {keys::ESC});

    EXPECT_FALSE(ask_yes_no("Exit"));

    // Counted in keys handled, not in time: between Esc's arrival and Esc
    // the program handles at most the key it was busy with.
    const auto taken = screen.taken_keys();
    ASSERT_FALSE(taken.empty());
    ASSERT_EQ(taken.back().first, keys::ESC);
    const auto late = std::count_if(taken.begin(), taken.end() - 1,
                                    [&](const auto& key) { return key.second >= esc_arrives; });
    EXPECT_LE(late, 1) << taken.size() << " keys taken";
    // The held key keeps beeping all along, with the tone unchanged.
    EXPECT_GE(screen.tones().size(), static_cast<std::size_t>(esc_arrives / (50 + INTERVAL_MS)));
    EXPECT_EQ(std::count(screen.tones().begin(), screen.tones().end(), ERROR_BEEP),
              static_cast<long>(screen.tones().size()));
}

TEST(KeyBacklog, TypedKeysDuringAToneAreTakenInOrderAndRepeatsDropWhole) {
    HeadlessScreen screen;
    // Three separate presses within one tone: each is taken and beeps.
    screen.timed_key(0, false, {'q'});
    screen.timed_key(1, false, {'w'});
    screen.timed_key(2, false, {'e'});
    screen.timed_key(3, false, {'y'});
    EXPECT_TRUE(ask_yes_no("Overwrite"));
    EXPECT_EQ(screen.tones(), (std::vector<Tone>{ERROR_BEEP, ERROR_BEEP, ERROR_BEEP}));
    const auto taken = screen.taken_keys();
    ASSERT_EQ(taken.size(), 4u);
    EXPECT_EQ(taken[1].first, 'w');
    EXPECT_EQ(taken[2].first, 'e');

    // An arrow key held during its tone: its repeats go as whole keys (no
    // stray scan code is read as a letter); a repeat after the tone counts.
    screen.clear_tones();
    const long t = screen.taken_keys().back().second + 1000;
    screen.timed_key(t, false, {keys::EXTENDED, keys::UP});
    screen.timed_key(t + 20, true, {keys::EXTENDED, keys::UP});
    screen.timed_key(t + 40, true, {keys::EXTENDED, keys::UP});
    screen.timed_key(t + 60, true, {keys::EXTENDED, keys::UP});
    screen.timed_key(t + 61, false, {'n'});
    EXPECT_FALSE(ask_yes_no("Overwrite"));
    EXPECT_EQ(screen.tones(), (std::vector<Tone>{ERROR_BEEP, ERROR_BEEP}));
    EXPECT_EQ(screen.pending_keys(), 0u);
}

}  // namespace

namespace {

// A message waiting for its key sleeps: one wake-up however long the user
// takes, where a polling loop would wake every few milliseconds.
TEST(IdleWaiting, AMessageWaitsForItsKeyWithoutPolling) {
    HeadlessScreen screen;
    screen.timed_key(60'000, false, {keys::ENTER});
    show_message("Cannot open file spar.dat");
    EXPECT_LE(screen.wakeups(), 2);
    EXPECT_EQ(screen.pending_keys(), 0u);
    EXPECT_EQ(screen.row_text(screen_layout().message_row()).find("Cannot"), std::string::npos);
}

}  // namespace
