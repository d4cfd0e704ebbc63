// Loading the file named in a kind's state into the session's parameter
// store, with the messages of every failure.
#pragma once

#include <string>

#include "plot_session.h"

// Sets the kind's loaded flag and sweep values, or shows what went wrong
// and leaves the kind unloaded.
void load_parameter_file(PlotSession& session, int kind);

// The same without the screen: reads the file `name` for the kind and
// returns the message of a failure (empty when loaded). A read error's
// line and what was expected go to standard error.
std::string read_parameter_sweep(PlotSession& session, int kind, const std::string& name);
