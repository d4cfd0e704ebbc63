// Everything one run of the plotter works on: the loaded sweep, the
// choices made for each kind of parameter, the plot editor's state and the
// file chooser's remembered position. The program makes one and passes it
// to the screens that need it.
#pragma once

#include <array>
#include <vector>

#include "parameter_data.h"
#include "plot_state.h"
#include "port_sweep.h"

// The sweep of the matrix element being plotted, in the plot's 32-bit reals.
struct ElementSweep {
    std::vector<float> f;
    std::vector<float> re;
    std::vector<float> im;
};

struct PlotSession {
    // The sweep last loaded; one store shared by the three kinds.
    portfiles::PortSweep sweep;
    ElementSweep element;
    std::array<ParameterKindState, 3> kinds{};
    PlotState plot;
    int chooser_position = 1;

    // kind: S_PARAMETERS, Y_PARAMETERS or Z_PARAMETERS (1 to 3).
    ParameterKindState& kind(int kind);
    const ParameterKindState& kind(int kind) const;
};
