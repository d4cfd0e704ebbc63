// The menu of one kind of network parameter (s, y or z): loading a file,
// choosing the matrix element and its presentation, and plotting it.
#pragma once

#include <string>

// kind: 1 s-parameters, 2 y-parameters, 3 z-parameters.
void parameter_menu(int kind);

// The side-panel status lines of a loaded kind.
void show_parameter_status(int kind);

// "fstart=" or "fstop= " followed by the frequency with its own prefix and
// "Hz": a 16-character status line.
std::string frequency_status_line(const std::string& label, float frequency);

// Back to the state at program start: every kind's choices, the chooser's
// remembered position (for tests).
void reset_parameter_menus();
