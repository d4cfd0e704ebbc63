#include "plot_state.h"

#include "plot_output_hooks.h"

PlotState& plot_state() {
    static PlotState state;
    return state;
}

void reset_plot_state() { plot_state() = PlotState{}; }

PlotOutputHooks& plot_output_hooks() {
    static PlotOutputHooks hooks;
    return hooks;
}
