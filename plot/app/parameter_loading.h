// Loading the file named in a kind's state into the session's parameter
// store, with the messages of every failure.
#pragma once

#include "plot_session.h"

// Sets the kind's loaded flag and sweep values, or shows what went wrong
// and leaves the kind unloaded.
void load_parameter_file(PlotSession& session, int kind);
