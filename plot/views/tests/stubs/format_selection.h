// Test stand-in for the format menus of the plotter shell (removed once the
// shell provides them).
#pragma once

void select_format_s(int& format);
void select_format_yz(int& format);
void show_format_name(int format);
