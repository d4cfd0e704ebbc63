// The numerics of one sweep point: the lumped elements and the lines
// (through their modes) are entered into one system of nodal equations,
// which is factorised once and solved once per excited port; S, Z and Y
// follow. Writes nothing: everything goes into the point's result.
#pragma once

#include "nodal_system.h"
#include "solver_run.h"
#include "sweep_point.h"

namespace solver {

class PointAnalysis {
public:
    // `tables` are this analysis' own work tables, obtained before the sweep.
    PointAnalysis(const SolverRun& run, NodalSystem& tables);

    // Analyses frequency f into `result` (which must stay in place until the
    // next call); result.failed tells whether it completed.
    void analyse(float f, PointResult& result);

private:
    ComplexD& a(int row, int column) { return sys_.node_matrix[row + column * NODE_LD]; }
    void stamp_lumped_network(double omega);
    void add_admittance(int node, int second_node, ComplexD y);
    bool enter_lines(float f, float omega, PointResult& result);
    void enter_line(int k, const ModalSolution& modes);
    ComplexD port_voltage(int port) const;
    bool solve_ports(float f, PointResult& result);
    void derive_port_parameters(float f, PointResult& result);

    const SolverRun& run_;
    NodalSystem& sys_;
    const int n_nodes_;
    const float z_ref_;  // the same at every frequency
};

}  // namespace solver
