// The modal section of one line in the run report: V, TI, the propagation
// coefficients and the characteristic impedance matrix.
#pragma once

#include "modal_analysis.h"
#include "run_report.h"

namespace solver {

void write_modal_section(RunReport& report, int k, const ModalSolution& modes,
                         const ComplexF* characteristic_impedance);

}  // namespace solver
