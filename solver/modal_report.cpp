#include "modal_report.h"

#include <string>

#include "complex_list.h"
#include "fixed_fields.h"

namespace solver {

void write_modal_section(RunReport& report, int k, const ModalSolution& s, const ComplexF* zc) {
    const int n = s.conductor_count;
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

}  // namespace solver
