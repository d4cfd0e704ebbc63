// The numerics of one sweep point: the lumped elements and the lines
// (through their modes) are entered into one system of nodal equations,
// which is factorised once and solved once per excited port; S, Z and Y
// follow. Writes nothing: everything goes into the point's result.
#pragma once

#include "nodal_equations.h"
#include "solver_run.h"
#include "sweep_point.h"
#include "sweep_tables.h"

namespace solver {

class PointAnalysis {
public:
    // `tables` and `equations` are this analysis' own, obtained before the
    // sweep.
    PointAnalysis(const SolverRun& run, SweepTables& tables, NodalEquations& equations);

    // Analyses frequency f into `result` (which must stay in place until the
    // next call); result.failed tells whether it completed.
    void analyse(float f, PointResult& result) {
        if (enter_point(f, result)) solve_point(result);
    }
    // The two halves of analyse: enter_point builds the node matrix (the
    // modal analysis of every line), false when the point failed there;
    // solve_point solves it and derives the port parameters.
    bool enter_point(float f, PointResult& result);
    void solve_point(PointResult& result);

private:
    ComplexD& a(int row, int column) { return equations_.at(row, column); }
    void stamp_lumped_network(double omega);
    void add_admittance(int node, int second_node, ComplexD y);
    bool enter_lines(float f, float omega, PointResult& result);
    void enter_line(int k, const ModalSolution& modes);
    ComplexD port_voltage(int port, const ComplexD* solution) const;
    bool solve_ports(float f, PointResult& result);
    void derive_port_parameters(float f, PointResult& result);

    const SolverRun& run_;
    SweepTables& sys_;
    NodalEquations& equations_;
    // same_line_[k - 1]: the first line whose per-unit-length matrices equal
    // those of line k (k itself if none does): it shares their modes.
    int same_line_[MAX_LINES];
    const int n_nodes_;
    const float z_ref_;  // the same at every frequency
};

}  // namespace solver
