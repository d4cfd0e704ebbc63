// The plotter program: start-up checks, the title, the main menu, and the
// display returned to the mode found at start.
#pragma once

#include "parameter_menu.h"
#include "plot_session.h"

// Exit status of the plotter: 0 after the main menu was left, 1 when the
// screen or the font could not be set up. With log_frequency the frequency
// axis of every rectangular diagram of the session is logarithmic.
int run_mtlplot(bool log_frequency = false);

// The main menu: "PLOT OUTPUT" with F5/F6/F7 for the s-, y- and
// z-parameter menus; F10 or Esc leaves it.
void main_menu(PlotSession& session, const PlotEditorCall& edit);
// The main menu's screen without its keys.
void show_main_menu();
