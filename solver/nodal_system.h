// Storage of the frequency sweep, sized for the solver's limits and obtained
// once before the first frequency: nothing is allocated while sweeping.
#pragma once

#include "linear_algebra.h"
#include "modal_analysis.h"
#include "solver_tables.h"
#include "sweep_point.h"

namespace solver {

inline constexpr int NODE_LD = MAX_NODES;            // node matrix
inline constexpr int WAVE_LD = 2 * MAX_CONDUCTORS;   // wave maps

struct NodalSystem {
    // A u = x: the node matrix (column-major), right-hand side and solution.
    ComplexD node_matrix[NODE_LD * NODE_LD];
    ComplexD rhs[MAX_NODES];
    ComplexD solution[MAX_NODES];
    int row_order[MAX_NODES];
    // Column substitution work matrix: node_count x 2n.
    ComplexD column_block[NODE_LD * WAVE_LD];
    // Wave map W of every line (2n x 2n): mode amplitudes -> line-end voltages.
    ComplexD wave_map[MAX_LINES][WAVE_LD * WAVE_LD];
    // Work matrices of the derivation of Z.
    ComplexD sum[PORT_LD * PORT_LD];         // I + S
    ComplexD difference[PORT_LD * PORT_LD];  // I - S, inverted in place
    int swaps[MAX_PORTS];

    ModalWorkspace modal_work;
};

}  // namespace solver
