#include "port_parameter_report.h"

#include "complex_list.h"
#include "field_line.h"

namespace solver {

namespace {

// Writes the entries of one row, `per_line` to a line; write_entry(text, p)
// appends entry p.
template <typename EntryWriter>
void write_row(RunReport& report, int count, int per_line, EntryWriter write_entry) {
    fields::FieldLine text;
    for (int p = 0; p < count; ++p) {
        write_entry(text, p);
        if ((p + 1) % per_line == 0 || p + 1 == count) {
            report.line(text.view());
            text.clear();
        }
    }
}

}  // namespace

void write_s_section(RunReport& report, int mode, const std::complex<double>* s, const double* db,
                     const double* degrees, int n, int ld) {
    report.empty_line();
    report.line(" MATRIX OF S PARAMETERS");
    report.empty_line();
    for (int q = 0; q < n; ++q) {
        auto at = [&](int p) { return s[q + p * ld]; };
        if (mode == 2) {
            write_row(report, n, 3, [&](fields::FieldLine& text, int p) {
                text.text(" (").ew(at(p).real(), 9, 2).text(",").ew(at(p).imag(), 9, 2).text(") (");
                text.fw(db[q + p * ld], 7, 2).text(" dB) ");
            });
        } else if (mode == 3) {
            write_complex_list(report, s + q, n, ld);
        } else if (mode == 4) {
            write_row(report, n, 5, [&](fields::FieldLine& text, int p) {
                text.text(" ").fw(db[q + p * ld], 7, 2).text(" dB (");
                text.fw(degrees[q + p * ld], 7, 2).text(DEGREE).text(") ");
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
