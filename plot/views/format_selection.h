// The two "SELECT FORMAT" menus and the side-panel line naming a format.
#pragma once

#include <string>

// The s-parameter menu offers the codes 0 to 4, the y/z-parameter menu 1 to
// 3. format is the PlotFormat code, read and written.
void select_format_s(int& format);
void select_format_yz(int& format);
// Writes the format's name as a 16-character line at side-panel row 15.
void show_format_name(int format);

// "Smith Chart", "Real & Imaginary", ...; empty for an unknown code.
std::string format_name(int format);
