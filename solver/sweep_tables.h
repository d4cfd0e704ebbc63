// The work tables of one worker of the sweep, sized for the solver's limits
// and obtained once before the first frequency: nothing is allocated while
// sweeping.
#pragma once

#include "linear_algebra.h"
#include "modal_analysis.h"
#include "solver_tables.h"
#include "sweep_point.h"

namespace solver {

inline constexpr int WAVE_LD = 2 * MAX_CONDUCTORS;  // wave maps

struct SweepTables {
    // Wave map W of every line (2n x 2n): mode amplitudes -> line-end voltages.
    ComplexD wave_map[MAX_LINES][WAVE_LD * WAVE_LD];
    // The propagation factors E of the line being entered (W's structure).
    ComplexD wave_factors[MAX_CONDUCTORS];
    // Right-hand sides, then solutions, one column per excited port.
    ComplexD port_solutions[MAX_NODES * MAX_PORTS];
    // Work matrices of the derivation of Z.
    ComplexD sum[PORT_LD * PORT_LD];         // I + S
    ComplexD difference[PORT_LD * PORT_LD];  // I - S, inverted in place
    int swaps[MAX_PORTS];

    ModalWorkspace modal_work;
};

}  // namespace solver
