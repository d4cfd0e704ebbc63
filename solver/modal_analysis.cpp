#include "modal_analysis.h"

#include <cmath>
#include <cstring>
#include <string>

#include "fixed_fields.h"
#include "run_report.h"

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

// TI = Z'^-1 V diag(gamma) from Z' and gamma in double precision, rounded
// once at the end: the single-precision inverse of Z' of a line of many
// conductors loses several digits, which the refined modes would not.
bool refined_current_matrix(ModalSolution& s, ModalWorkspace& w, const ComplexF* z, int n) {
    ComplexD* columns = w.current_columns;
    for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i)
            columns[i + j * LINE_LD] = ComplexD(s.modal_voltage_matrix[i + j * LINE_LD]) * s.refined_coefficients[j];
    if (!solve_in_double(z, n, LINE_LD, columns, n, LINE_LD, w.double_solve)) return false;
    for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i) {
            const ComplexD t = columns[i + j * LINE_LD];
            s.modal_current_matrix[i + j * LINE_LD] = ComplexF(static_cast<float>(t.real()), static_cast<float>(t.imag()));
        }
    return true;
}

bool fail_singular(int k, float f, const char* what, PointFailure& failure) {
    failure.message = message_text({"SINGULAR PARAMETERS FOR TRANSMISSION LINE", k});
    failure.diagnostic = "line " + std::to_string(k) + " at " + fields::format_ew(f, 10, 3).substr(1) +
                         " Hz: " + what + " cannot be inverted";
    return false;
}

}  // namespace

bool analyse_line(const RunOptions& options, const LineTable& lines, int k, float f, float omega,
                  ModalSolution& s, ComplexF* zc, ModalWorkspace& w, PointFailure& failure) {
    const int line = k - 1;
    const int n = lines.conductor_count[line];
    s.conductor_count = n;

    // Per-unit-length impedance and admittance at this frequency; the loss
    // matrices scale with a power of f / fref.
    const float ratio = f / options.reference_frequency;
    const float a_r = std::pow(ratio, options.r_exponent);
    const float a_g = std::pow(ratio, options.g_exponent);
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
        failure.message = message_text({"EIGENVALUES FOR TRANSMISSION LINE", k, "COULD NOT BE COMPUTED"});
        failure.diagnostic = "line " + std::to_string(k) + " at " + fields::format_ew(f, 10, 3).substr(1) +
                             " Hz: the modes (eigenvalues of Z'Y') could not be computed";
        return false;
    }

    copy_matrix(s.modal_voltage_matrix, w.inverse_v, n);
    invert_matrix(w.inverse_v, n, LINE_LD, w.swaps, error);
    if (error != 0) return fail_singular(k, f, "the modal voltage matrix", failure);

    // Modes the decomposition refined keep their eigenvalues' double
    // precision through gamma, TI and E; the others follow in single
    // precision, exactly as the decomposition left them.
    const RefineWork& refine = w.eigen_work.refine;
    s.refined = refine.changed_count > 0;
    for (int j = 0; j < n; ++j) {
        if (s.refined) {
            s.refined_coefficients[j] = std::sqrt(refine.lambda[j]);
            s.propagation_coefficients[j] = ComplexF(s.refined_coefficients[j]);
        } else {
            s.propagation_coefficients[j] = std::sqrt(w.eigenvalues[j]);
        }
    }

    // TI = Z'^-1 (V diag(gamma)); for refined modes solved in double
    // precision, which needs no single-precision inverse of Z'. Where the
    // double-precision solve finds Z' singular, the single-precision path
    // follows as for every other line.
    if (!s.refined || !refined_current_matrix(s, w, w.series_impedance, n)) {
        invert_matrix(w.series_impedance, n, LINE_LD, w.swaps, error);
        if (error != 0) return fail_singular(k, f, "the series impedance matrix Z'", failure);
        for (int j = 0; j < n; ++j)
            for (int i = 0; i < n; ++i)
                w.scratch[i + j * LINE_LD] = s.modal_voltage_matrix[i + j * LINE_LD] * s.propagation_coefficients[j];
        multiply_matrices(w.series_impedance, w.scratch, s.modal_current_matrix, n, n, n, LINE_LD,
                          LINE_LD, LINE_LD);
    }

    if (zc != nullptr) {
        // Zc = (TI V^-1)^-1, for the report only.
        multiply_matrices(s.modal_current_matrix, w.inverse_v, zc, n, n, n, LINE_LD, LINE_LD, LINE_LD);
        invert_matrix(zc, n, LINE_LD, w.swaps, error);
        if (error != 0) return fail_singular(k, f, "TI V^-1", failure);
    }

    set_propagation_factors(s, lines.line_length[line]);
    return true;
}

void set_propagation_factors(ModalSolution& s, float length) {
    for (int j = 0; j < s.conductor_count; ++j)
        s.propagation_factors[j] = s.refined ? ComplexF(std::exp(-s.refined_coefficients[j] * static_cast<double>(length)))
                                             : std::exp(-s.propagation_coefficients[j] * length);
}

bool same_line_matrices(const LineTable& lines, int k, int j) {
    const int a = k - 1, b = j - 1;
    if (lines.conductor_count[a] != lines.conductor_count[b]) return false;
    // Compared as stored (bit for bit): equal values of different sign of
    // zero could still give different modes.
    constexpr std::size_t SIZE = sizeof lines.inductance[0];
    return std::memcmp(lines.inductance[a], lines.inductance[b], SIZE) == 0 &&
           std::memcmp(lines.capacitance[a], lines.capacitance[b], SIZE) == 0 &&
           std::memcmp(lines.resistance[a], lines.resistance[b], SIZE) == 0 &&
           std::memcmp(lines.conductance[a], lines.conductance[b], SIZE) == 0;
}

int first_same_line(const LineTable& lines, int k) {
    int j = 1;
    while (j < k && !same_line_matrices(lines, k, j)) ++j;
    return j;
}

}  // namespace solver
