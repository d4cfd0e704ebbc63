// Test stand-in for the format menus: F2..F6 choose codes 0..4 (F2 and F6
// only for s-parameters), anything else leaves the code unchanged.
#include "format_selection.h"

#include "graphics_surface.h"
#include "key_codes.h"

namespace {
void select_format(int& format, int first, int last) {
    int key = read_key();
    if (key != keys::EXTENDED && key != keys::EXTENDED_E0) return;
    int code = read_key() - keys::F2;
    if (code >= first && code <= last) format = code;
}
}  // namespace

void select_format_s(int& format) { select_format(format, 0, 4); }
void select_format_yz(int& format) { select_format(format, 1, 3); }
void show_format_name(int) {}
