#include "modal_analysis.h"

#include <cmath>
#include <string>

#include "complex_list.h"
#include "fixed_fields.h"

namespace solver {

namespace {

void copy_matrix(const ComplexF* from, ComplexF* to, int n) {
    for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i) to[i + j * LINE_LD] = from[i + j * LINE_LD];
}

bool finite(ComplexF v) { return std::isfinite(v.real()) && std::isfinite(v.imag()); }

bool vector_finite(const ComplexF* v, int n) {
    for (int i = 0; i < n; ++i)
        if (!finite(v[i])) return false;
    return true;
}

bool matrix_finite(const ComplexF* m, int n) {
    for (int j = 0; j < n; ++j)
        if (!vector_finite(m + j * LINE_LD, n)) return false;
    return true;
}

void fail_singular(SolverRun& run, int k, float f, const char* what, int& error_flag) {
    run.report.error_message({"SINGULAR PARAMETERS FOR TRANSMISSION LINE", k});
    run.diagnose("line " + std::to_string(k) + " at " + fields::format_ew(f, 10, 3).substr(1) +
                 " Hz: " + what + " cannot be inverted");
    error_flag = 1;
}

void write_modal_section(RunReport& report, int k, int n, const ModalSolution& s,
                         const ComplexF* zc) {
    report.empty_lines(2);
    report.line(" TRANSMISSION LINE" + fields::format_iw(k, 3));
    report.empty_line();
    report.line(" MODAL VOLTAGE MATRIX (V)");
    report.empty_line();
    write_complex_rows(report, s.modal_voltage_matrix, n, LINE_LD);
    report.empty_line();
    report.line(" MODAL CURRENT MATRIX (A)");
    report.empty_line();
    write_complex_rows(report, s.modal_current_matrix, n, LINE_LD);
    report.empty_line();
    report.line(" MODAL PROPAGATION COEFFICIENTS (1/m)");
    report.empty_line();
    write_complex_list(report, s.propagation_coefficients, n);
    report.empty_line();
    report.line(std::string(" CHARACTERISTIC IMPEDANCE MATRIX (") + OHM + ")");
    report.empty_line();
    write_complex_rows(report, zc, n, LINE_LD);
    report.empty_line();
}

}  // namespace

void analyse_line(SolverRun& run, int k, float f, float omega, ModalSolution& s,
                  ModalWorkspace& w, int& error_flag) {
    const LineTable& lines = run.lines;
    const int line = k - 1;
    const int n = lines.conductor_count[line];
    s.conductor_count = n;

    // Per-unit-length impedance and admittance at this frequency; the loss
    // matrices scale with a power of f / fref.
    const float ratio = f / run.options.reference_frequency;
    const float a_r = std::pow(ratio, run.options.r_exponent);
    const float a_g = std::pow(ratio, run.options.g_exponent);
    for (int j = 0; j < n; ++j) {
        for (int i = 0; i < n; ++i) {
            w.series_impedance[i + j * LINE_LD] =
                ComplexF(lines.resistance[line][i][j] * a_r, omega * lines.inductance[line][i][j]);
            w.shunt_admittance[i + j * LINE_LD] =
                ComplexF(lines.conductance[line][i][j] * a_g, omega * lines.capacitance[line][i][j]);
        }
    }

    multiply_matrices(w.series_impedance, w.shunt_admittance, w.product, n, n, n, LINE_LD, LINE_LD,
                      LINE_LD);

    // Values that overflowed (a huge [L], [C], [R] or [G] at a high
    // frequency) give no usable modes.
    int error = matrix_finite(w.product, n) ? 0 : 1;
    if (error == 0) {
        eigen_decompose(w.product, n, LINE_LD, w.eigenvalues, s.modal_voltage_matrix, LINE_LD, w.scale,
                        w.eigen_work, error);
        if (error == 0 && !(vector_finite(w.eigenvalues, n) && matrix_finite(s.modal_voltage_matrix, n)))
            error = 1;
    }
    if (error != 0) {
        run.report.error_message({"EIGENVALUES FOR TRANSMISSION LINE", k, "COULD NOT BE COMPUTED"});
        run.diagnose("line " + std::to_string(k) + " at " + fields::format_ew(f, 10, 3).substr(1) +
                     " Hz: the modes (eigenvalues of Z'Y') could not be computed");
        error_flag = 1;
        return;
    }

    copy_matrix(s.modal_voltage_matrix, w.inverse_v, n);
    invert_matrix(w.inverse_v, n, LINE_LD, w.swaps, error);
    if (error != 0) return fail_singular(run, k, f, "the modal voltage matrix", error_flag);

    for (int j = 0; j < n; ++j) s.propagation_coefficients[j] = std::sqrt(w.eigenvalues[j]);

    invert_matrix(w.series_impedance, n, LINE_LD, w.swaps, error);
    if (error != 0) return fail_singular(run, k, f, "the series impedance matrix Z'", error_flag);

    // TI = Z'^-1 (V diag(gamma)).
    for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i)
            w.scratch[i + j * LINE_LD] = s.modal_voltage_matrix[i + j * LINE_LD] * s.propagation_coefficients[j];
    multiply_matrices(w.series_impedance, w.scratch, s.modal_current_matrix, n, n, n, LINE_LD,
                      LINE_LD, LINE_LD);

    if (run.options.suppress_modal_report != 1) {
        // Zc = (TI V^-1)^-1, for the report only.
        multiply_matrices(s.modal_current_matrix, w.inverse_v, w.characteristic_impedance, n, n, n,
                          LINE_LD, LINE_LD, LINE_LD);
        invert_matrix(w.characteristic_impedance, n, LINE_LD, w.swaps, error);
        if (error != 0) return fail_singular(run, k, f, "TI V^-1", error_flag);
        write_modal_section(run.report, k, n, s, w.characteristic_impedance);
    }

    const float length = lines.line_length[line];
    for (int j = 0; j < n; ++j) s.propagation_factors[j] = std::exp(-s.propagation_coefficients[j] * length);
}

}  // namespace solver
