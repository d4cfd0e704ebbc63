#include <gtest/gtest.h>

#include "key_codes.h"
#include "port_index_selection.h"

namespace {

struct Step {
    int from;
    int key;
    int ports;
    IndexStep result;
    int to;
};

// Each row: an index, a key and the port count; what the key does to it.
constexpr Step STEPS[] = {
    // The large step is 2 from five ports on, 1 below; a move stops at the limit.
    {8, keys::PGDN, 9, IndexStep::MOVED, 9},
    {9, keys::PGDN, 9, IndexStep::AT_LIMIT, 9},
    {9, keys::PGUP, 9, IndexStep::MOVED, 7},
    {7, keys::ALT_PGUP, 9, IndexStep::MOVED, 6},
    {6, keys::ALT_PGDN, 9, IndexStep::MOVED, 7},
    {2, keys::PGUP, 9, IndexStep::MOVED, 1},
    {3, keys::PGDN, 4, IndexStep::MOVED, 4},
    {2, keys::PGUP, 4, IndexStep::MOVED, 1},
    {2, keys::END, 6, IndexStep::MOVED, 6},
    {6, keys::HOME, 6, IndexStep::MOVED, 1},
    // Every move is refused at its own limit only.
    {1, keys::UP, 3, IndexStep::AT_LIMIT, 1},
    {1, keys::PGUP, 3, IndexStep::AT_LIMIT, 1},
    {1, keys::ALT_PGUP, 3, IndexStep::AT_LIMIT, 1},
    {1, keys::HOME, 3, IndexStep::AT_LIMIT, 1},
    {3, keys::UP, 3, IndexStep::MOVED, 2},
    {3, keys::HOME, 3, IndexStep::MOVED, 1},
    {3, keys::DOWN, 3, IndexStep::AT_LIMIT, 3},
    {3, keys::PGDN, 3, IndexStep::AT_LIMIT, 3},
    {3, keys::ALT_PGDN, 3, IndexStep::AT_LIMIT, 3},
    {3, keys::END, 3, IndexStep::AT_LIMIT, 3},
    {1, keys::DOWN, 3, IndexStep::MOVED, 2},
    {1, keys::END, 3, IndexStep::MOVED, 3},
    // Keys without a move.
    {2, keys::INSERT, 6, IndexStep::NO_ACTION, 2},
    {2, keys::F1, 6, IndexStep::NO_ACTION, 2},
};

TEST(PortIndexStepsTest, EachKeyMovesTheIndexWithinItsLimits) {
    for (const Step& step : STEPS) {
        int x = step.from;
        EXPECT_EQ(step_port_index(x, step.key, step.ports), step.result)
            << "from " << step.from << " key " << step.key << " ports " << step.ports;
        EXPECT_EQ(x, step.to) << "from " << step.from << " key " << step.key << " ports "
                              << step.ports;
    }
}

}  // namespace
