// What the sweep's numerics produce at one frequency: the modes of the lines
// (kept for the report), the port matrices S, Z and Y with the levels of S
// the report shows, or a failure with its report message and diagnostic. The numerics fill it; the sweep writer
// commits it to the run report and the parameter files.
#pragma once

#include <string>

#include "linear_algebra.h"
#include "modal_analysis.h"
#include "point_failure.h"
#include "solver_tables.h"

namespace solver {

inline constexpr int PORT_LD = MAX_PORTS;  // leading dimension of the port matrices

// How far the port matrices of a point got.
enum PortMatrices : int {
    NO_MATRICES = 0,   // failed before S
    S_ONLY = 1,        // I - S could not be inverted
    S_AND_Z = 2,       // Z could not be inverted
    S_Z_AND_Y = 3,     // complete
};

struct PointResult {
    float frequency = 0.0f;
    // The lines analysed without failure (all of them unless the modal
    // analysis failed) with their modes. Characteristic impedances are
    // computed only when the report shows the modal sections.
    int lines_analysed = 0;
    ModalSolution modes[MAX_LINES];
    ComplexF characteristic_impedance[MAX_LINES][LINE_LD * LINE_LD];

    int port_count = 0;
    int matrices = NO_MATRICES;
    ComplexD s[PORT_LD * PORT_LD];
    ComplexD z[PORT_LD * PORT_LD];
    ComplexD y[PORT_LD * PORT_LD];
    // With S, where the report's S section shows them (see
    // compute_s_levels): |s| in dB, and the phase in degrees.
    double s_db[PORT_LD * PORT_LD];
    double s_degrees[PORT_LD * PORT_LD];

    bool failed = false;
    PointFailure failure;  // only when failed

    void fail(PointFailure what) {
        failed = true;
        failure = std::move(what);
    }
    // Ready for the next frequency (the tables are simply overwritten).
    void reset(float f) {
        frequency = f;
        lines_analysed = 0;
        matrices = NO_MATRICES;
        failed = false;
    }
};

}  // namespace solver
