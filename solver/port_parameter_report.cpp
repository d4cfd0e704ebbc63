#include "port_parameter_report.h"

#include <cmath>
#include <string>

#include "complex_list.h"
#include "fixed_fields.h"

namespace solver {

double magnitude_db(std::complex<double> v) {
    double m = std::abs(v);
    return m == 0 ? -400.0 : 20.0 * std::log10(m);
}

double phase_degrees(std::complex<double> v) {
    if (std::abs(v) == 0) return 0.0;
    return std::atan2(v.imag(), v.real()) * 57.29577951308232;
}

namespace {

// Writes the entries of one row, `per_line` to a line.
template <typename EntryText>
void write_row(RunReport& report, int count, int per_line, EntryText entry_text) {
    std::string text;
    for (int p = 0; p < count; ++p) {
        text += entry_text(p);
        if ((p + 1) % per_line == 0 || p + 1 == count) {
            report.line(text);
            text.clear();
        }
    }
}

}  // namespace

void write_s_section(RunReport& report, int mode, const std::complex<double>* s, int n, int ld) {
    report.empty_line();
    report.line(" MATRIX OF S PARAMETERS");
    report.empty_line();
    for (int q = 0; q < n; ++q) {
        auto at = [&](int p) { return s[q + p * ld]; };
        if (mode == 2) {
            write_row(report, n, 3, [&](int p) {
                return " (" + fields::format_ew(at(p).real(), 9, 2) + "," +
                       fields::format_ew(at(p).imag(), 9, 2) + ") (" +
                       fields::format_fw(magnitude_db(at(p)), 7, 2) + " dB) ";
            });
        } else if (mode == 3) {
            write_complex_list(report, s + q, n, ld);
        } else if (mode == 4) {
            write_row(report, n, 5, [&](int p) {
                return std::string(" ")
                    .append(fields::format_fw(magnitude_db(at(p)), 7, 2))
                    .append(" dB (")
                    .append(fields::format_fw(phase_degrees(at(p)), 7, 2))
                    .append(DEGREE)
                    .append(") ");
            });
        }
    }
}

void write_matrix_section(RunReport& report, const char* title, const std::complex<double>* m,
                          int n, int ld) {
    report.empty_line();
    report.line(title);
    report.empty_line();
    write_complex_rows(report, m, n, ld);
}

}  // namespace solver
