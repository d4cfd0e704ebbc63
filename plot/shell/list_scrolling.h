// The arithmetic of a scrolling list: which item is highlighted, which
// items the visible rows show, and what a key does to them. No screen.
#pragma once

struct ListView {
    int count = 0;     // items in the list
    int rows = 0;      // visible rows h
    int top_item = 0;  // items above the first visible row
    int position = 1;  // highlighted item, 1-based

    int highlighted_row() const { return position - top_item; }
};

// Opens a list of count items with rows visible rows at most, the given
// position highlighted (item 1 when the position is not in the list).
ListView open_list_view(int count, int max_rows, int position);

enum class ListMove {
    NONE,         // a key without an action
    BOUNDARY,     // the position cannot move that way
    ROW_CHANGED,  // another visible row is highlighted, nothing scrolled
    SCROLLED_UP,  // the rows moved up by one: a new item in the last row
    SCROLLED_DOWN,// the rows moved down by one: a new item in the first row
    REDRAWN,      // the visible items changed: draw them all again
};

// Applies one extended key (its scan code: Up, Down, Home, End, PgUp, PgDn).
ListMove move_in_list(ListView& view, int scan_code);
