#include "port_parameter_report.h"

#include "complex_list.h"
#include "common_fields.h"
#include "report_text.h"

namespace solver {

namespace {

// Writes the entries of one row, `per_line` to a line; write_entry(out, p)
// puts entry p at out and returns its end.
template <typename EntryWriter>
void write_row(RunReport& report, int count, int per_line, EntryWriter write_entry) {
    char* out = report.room(RESULT_LINE_ROOM);
    for (int p = 0; p < count; ++p) {
        out = write_entry(out, p);
        if ((p + 1) % per_line == 0 || p + 1 == count) {
            *out++ = '\n';
            report.advance(out);
            if (p + 1 < count) out = report.room(RESULT_LINE_ROOM);
        }
    }
}

}  // namespace

void write_s_section(RunReport& report, int mode, const std::complex<double>* s, const double* db,
                     const double* degrees, int n, int ld) {
    report.advance(put_text(report.room(RESULT_LINE_ROOM), "\n MATRIX OF S PARAMETERS\n\n"));
    for (int q = 0; q < n; ++q) {
        if (mode == 2) {
            write_row(report, n, 3, [&](char* out, int p) {
                const int at = q + p * ld;
                out = put_text(out, " (");
                out = fields::write_e9_2(out, s[at].real());
                *out++ = ',';
                out = fields::write_e9_2(out, s[at].imag());
                out = put_text(out, ") (");
                out = fields::write_f7_2(out, db[at]);
                return put_text(out, " dB) ");
            });
        } else if (mode == 3) {
            write_complex_list(report, s + q, n, ld);
        } else if (mode == 4) {
            write_row(report, n, 5, [&](char* out, int p) {
                const int at = q + p * ld;
                *out++ = ' ';
                out = fields::write_f7_2(out, db[at]);
                out = put_text(out, " dB (");
                out = fields::write_f7_2(out, degrees[at]);
                return put_text(out, "\xF8) ");  // the degree sign, DEGREE
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
