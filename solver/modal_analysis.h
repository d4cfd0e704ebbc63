// Modal analysis of one multiconductor line at one frequency: the line is
// decomposed into independent propagation modes, which is what the nodal
// equations need to connect its two ends.
#pragma once

#include <complex>

#include "linear_algebra.h"
#include "point_failure.h"
#include "solver_tables.h"

namespace solver {

// Leading dimension of every line matrix.
inline constexpr int LINE_LD = MAX_CONDUCTORS;

struct ModalSolution {
    int conductor_count = 0;
    // Column-major n x n tables with leading dimension LINE_LD.
    ComplexF modal_voltage_matrix[LINE_LD * LINE_LD];  // V: eigenvectors of Z'Y', one mode per column
    ComplexF modal_current_matrix[LINE_LD * LINE_LD];  // TI = Z'^-1 V diag(gamma)
    ComplexF propagation_coefficients[MAX_CONDUCTORS];  // gamma (1/m), principal roots
    ComplexF propagation_factors[MAX_CONDUCTORS];       // E = exp(-gamma * length)
    // Where the eigen-decomposition had to refine its pairs, gamma, TI and E
    // are formed in double precision from the refined eigenvalues and only
    // then rounded; gamma is kept here unrounded for E of other lengths.
    bool refined = false;
    ComplexD refined_coefficients[MAX_CONDUCTORS];
};

// Work tables of the analysis, obtained once before the sweep.
struct ModalWorkspace {
    ComplexF series_impedance[LINE_LD * LINE_LD];   // Z'
    ComplexF shunt_admittance[LINE_LD * LINE_LD];   // Y'
    ComplexF product[LINE_LD * LINE_LD];            // Z'Y', destroyed by the eigen-decomposition
    ComplexF inverse_v[LINE_LD * LINE_LD];
    ComplexF scratch[LINE_LD * LINE_LD];
    ComplexD current_columns[LINE_LD * LINE_LD];    // V diag(gamma), then TI, in double precision
    DoubleSolveWork double_solve;                   // for refined modes
    ComplexF eigenvalues[MAX_CONDUCTORS];
    float scale[MAX_CONDUCTORS];
    int swaps[MAX_CONDUCTORS];
    EigenWork eigen_work;
};

// Analyses line k (1-based) at frequency f (angular frequency omega). When
// characteristic_impedance is not null, Zc = (TI V^-1)^-1 is formed there
// (for the report's modal section; its inversion can fail too). Returns
// false on failure, with the report's message and the diagnostic in
// `failure`. Writes nothing anywhere else.
bool analyse_line(const RunOptions& options, const LineTable& lines, int k, float f, float omega,
                  ModalSolution& solution, ComplexF* characteristic_impedance, ModalWorkspace& work,
                  PointFailure& failure);

// E = exp(-gamma * length) from the propagation coefficients already in
// `solution` (the last step of analyse_line); from the unrounded ones where
// the modes were refined.
void set_propagation_factors(ModalSolution& solution, float length);

// Lines k and j (1-based) have bit for bit the same per-unit-length
// matrices, so their modes are the same at every frequency.
bool same_line_matrices(const LineTable& lines, int k, int j);

// The first line (1-based, at most k) whose per-unit-length matrices are
// those of line k: k itself where no earlier line has them.
int first_same_line(const LineTable& lines, int k);

}  // namespace solver
