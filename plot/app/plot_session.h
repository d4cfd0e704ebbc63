// Everything one run of the plotter works on: the loaded sweep, the
// choices made for each kind of parameter, the plot editor's state and the
// file chooser's remembered position. The program makes one and passes it
// to the screens that need it.
#pragma once

#include <array>
#include <memory>

#include "parameter_data.h"
#include "plot_state.h"

struct PlotSession {
    // The loaded parameters (about 6.5 MB, so never on the stack).
    std::unique_ptr<ParameterData> data = std::make_unique<ParameterData>();
    std::array<ParameterKindState, 3> kinds{};
    PlotState plot;
    int chooser_position = 1;

    // kind: S_PARAMETERS, Y_PARAMETERS or Z_PARAMETERS (1 to 3).
    ParameterKindState& kind(int kind);
    const ParameterKindState& kind(int kind) const;
};
