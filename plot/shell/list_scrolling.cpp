#include "list_scrolling.h"

#include <algorithm>

#include "key_codes.h"

ListView open_list_view(int count, int max_rows, int position) {
    ListView view;
    view.count = std::max(count, 0);
    view.rows = std::max(std::min(view.count, max_rows), 0);
    view.position = (position < 1 || position > view.count) ? 1 : position;
    if (view.rows > 0) {
        view.top_item = view.rows * ((view.position - 1) / view.rows);
        view.top_item = std::min(view.top_item, view.count - view.rows);
    }
    return view;
}

ListMove move_in_list(ListView& v, int scan_code) {
    if (v.count < 1) return ListMove::BOUNDARY;
    const bool at_first = v.position <= 1;
    const bool at_last = v.position >= v.count;
    const int last_top = v.count - v.rows;
    switch (scan_code) {
        case keys::UP:
            if (at_first) return ListMove::BOUNDARY;
            --v.position;
            if (v.highlighted_row() < 1) {
                --v.top_item;
                return ListMove::SCROLLED_DOWN;
            }
            return ListMove::ROW_CHANGED;
        case keys::DOWN:
            if (at_last) return ListMove::BOUNDARY;
            ++v.position;
            if (v.highlighted_row() > v.rows) {
                ++v.top_item;
                return ListMove::SCROLLED_UP;
            }
            return ListMove::ROW_CHANGED;
        case keys::HOME:
            if (at_first) return ListMove::BOUNDARY;
            v.position = 1;
            v.top_item = 0;
            return ListMove::REDRAWN;
        case keys::END:
            if (at_last) return ListMove::BOUNDARY;
            v.position = v.count;
            v.top_item = last_top;
            return ListMove::REDRAWN;
        case keys::PGUP:
            if (at_first) return ListMove::BOUNDARY;
            v.position -= v.rows;
            v.top_item -= v.rows;
            if (v.position < 1) {
                v.position = 1;
                v.top_item = 0;
            }
            v.top_item = std::max(v.top_item, 0);
            return ListMove::REDRAWN;
        case keys::PGDN:
            if (at_last) return ListMove::BOUNDARY;
            v.position += v.rows;
            v.top_item += v.rows;
            if (v.position > v.count) {
                v.position = v.count;
                v.top_item = last_top;
            }
            v.top_item = std::min(v.top_item, last_top);
            return ListMove::REDRAWN;
        default:
            return ListMove::NONE;
    }
}
