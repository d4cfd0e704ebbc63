#include <algorithm>

#include "key_codes.h"
#include "port_index_selection.h"

IndexStep step_port_index(int& x, int scan_code, int n) {
    const int large = n < 5 ? 1 : 2;
    int delta = 0;
    switch (scan_code) {
        case keys::UP: delta = -1; break;
        case keys::DOWN: delta = 1; break;
        case keys::PGUP: delta = -large; break;
        case keys::PGDN: delta = large; break;
        case keys::ALT_PGUP: delta = -1; break;
        case keys::ALT_PGDN: delta = 1; break;
        case keys::HOME: delta = -n; break;
        case keys::END: delta = n; break;
        default: return IndexStep::NO_ACTION;
    }
    if ((delta < 0 && x <= 1) || (delta > 0 && x >= n)) return IndexStep::AT_LIMIT;
    x = std::clamp(x + delta, 1, n);
    return IndexStep::MOVED;
}
