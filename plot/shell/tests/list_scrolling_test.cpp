#include "list_scrolling.h"

#include <gtest/gtest.h>

#include "key_codes.h"

namespace {


void expect_shown(const ListView& v, int first_item, int position, int row) {
    EXPECT_EQ(v.top_item + 1, first_item);
    EXPECT_EQ(v.position, position);
    EXPECT_EQ(v.highlighted_row(), row);
}

TEST(ListScrollingTest, OpensAtTheRememberedPositionWithinTheList) {
    ListView v = open_list_view(39, 20, 21);  // top item limited to 39 - 20
    EXPECT_EQ(v.rows, 20);
    expect_shown(v, 20, 21, 2);

    expect_shown(open_list_view(7, 20, 30), 1, 1, 1);  // beyond the list: item 1
    expect_shown(open_list_view(7, 20, 0), 1, 1, 1);
    expect_shown(open_list_view(65, 20, 41), 41, 41, 1);  // a full page further
    expect_shown(open_list_view(45, 20, 41), 26, 41, 16);
    EXPECT_EQ(open_list_view(3, 20, 1).rows, 3);
}

TEST(ListScrollingTest, EndThenPageUpWithTwentyFiveItems) {
    ListView v = open_list_view(25, 20, 1);
    EXPECT_EQ(move_in_list(v, keys::END), ListMove::REDRAWN);
    expect_shown(v, 6, 25, 20);
    EXPECT_EQ(move_in_list(v, keys::END), ListMove::BOUNDARY);
    EXPECT_EQ(move_in_list(v, keys::PGUP), ListMove::REDRAWN);
    expect_shown(v, 1, 5, 5);
    EXPECT_EQ(move_in_list(v, keys::PGUP), ListMove::REDRAWN);
    expect_shown(v, 1, 1, 1);
    EXPECT_EQ(move_in_list(v, keys::PGUP), ListMove::BOUNDARY);
    EXPECT_EQ(move_in_list(v, keys::HOME), ListMove::BOUNDARY);
}

TEST(ListScrollingTest, PageDownStopsAtTheLastItem) {
    ListView v = open_list_view(3, 20, 1);
    EXPECT_EQ(move_in_list(v, keys::PGDN), ListMove::REDRAWN);
    expect_shown(v, 1, 3, 3);
    EXPECT_EQ(move_in_list(v, keys::PGDN), ListMove::BOUNDARY);

    v = open_list_view(25, 20, 3);
    EXPECT_EQ(move_in_list(v, keys::PGDN), ListMove::REDRAWN);
    expect_shown(v, 6, 23, 18);  // the top item stops at 25 - 20
    EXPECT_EQ(move_in_list(v, keys::PGDN), ListMove::REDRAWN);
    expect_shown(v, 6, 25, 20);
}

TEST(ListScrollingTest, UpAndDownScrollOneRowAtTheEdges) {
    ListView v = open_list_view(25, 20, 19);
    EXPECT_EQ(move_in_list(v, keys::DOWN), ListMove::ROW_CHANGED);
    expect_shown(v, 1, 20, 20);
    EXPECT_EQ(move_in_list(v, keys::DOWN), ListMove::SCROLLED_UP);
    expect_shown(v, 2, 21, 20);
    for (int n = 0; n < 19; ++n) EXPECT_EQ(move_in_list(v, keys::UP), ListMove::ROW_CHANGED);
    expect_shown(v, 2, 2, 1);
    EXPECT_EQ(move_in_list(v, keys::UP), ListMove::SCROLLED_DOWN);
    expect_shown(v, 1, 1, 1);
    EXPECT_EQ(move_in_list(v, keys::UP), ListMove::BOUNDARY);
    EXPECT_EQ(move_in_list(v, keys::LEFT), ListMove::NONE);
}

TEST(ListScrollingTest, HomeAndEndFromAnywhere) {
    ListView v = open_list_view(39, 20, 21);
    EXPECT_EQ(move_in_list(v, keys::HOME), ListMove::REDRAWN);
    expect_shown(v, 1, 1, 1);
    EXPECT_EQ(move_in_list(v, keys::END), ListMove::REDRAWN);
    expect_shown(v, 20, 39, 20);
    EXPECT_EQ(move_in_list(v, keys::DOWN), ListMove::BOUNDARY);
}

}  // namespace
