#include <gtest/gtest.h>

#include "key_codes.h"
#include "port_index_selection.h"

namespace {

TEST(PortIndexStepsTest, LargeStepIsTwoFromFivePortsAndStopsAtTheLimit) {
    int x = 8;
    EXPECT_EQ(step_port_index(x, keys::PGDN, 9), IndexStep::MOVED);
    EXPECT_EQ(x, 9);
    EXPECT_EQ(step_port_index(x, keys::PGDN, 9), IndexStep::AT_LIMIT);
    EXPECT_EQ(x, 9);
    EXPECT_EQ(step_port_index(x, keys::PGUP, 9), IndexStep::MOVED);
    EXPECT_EQ(x, 7);
    EXPECT_EQ(step_port_index(x, keys::ALT_PGUP, 9), IndexStep::MOVED);
    EXPECT_EQ(x, 6);
    x = 2;
    EXPECT_EQ(step_port_index(x, keys::PGUP, 9), IndexStep::MOVED);
    EXPECT_EQ(x, 1);
    x = 3;
    EXPECT_EQ(step_port_index(x, keys::PGDN, 4), IndexStep::MOVED);
    EXPECT_EQ(x, 4);
}

TEST(PortIndexStepsTest, EveryMoveIsRefusedAtItsOwnLimitOnly) {
    for (int key : {keys::UP, keys::PGUP, keys::ALT_PGUP, keys::HOME}) {
        int x = 1;
        EXPECT_EQ(step_port_index(x, key, 3), IndexStep::AT_LIMIT);
        x = 3;
        EXPECT_EQ(step_port_index(x, key, 3), IndexStep::MOVED);
    }
    for (int key : {keys::DOWN, keys::PGDN, keys::ALT_PGDN, keys::END}) {
        int x = 3;
        EXPECT_EQ(step_port_index(x, key, 3), IndexStep::AT_LIMIT);
        x = 1;
        EXPECT_EQ(step_port_index(x, key, 3), IndexStep::MOVED);
    }
    int x = 2;
    EXPECT_EQ(step_port_index(x, keys::END, 6), IndexStep::MOVED);
    EXPECT_EQ(x, 6);
    EXPECT_EQ(step_port_index(x, keys::HOME, 6), IndexStep::MOVED);
    EXPECT_EQ(x, 1);
    EXPECT_EQ(step_port_index(x, keys::INSERT, 6), IndexStep::NO_ACTION);
}

}  // namespace
