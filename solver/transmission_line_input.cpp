// LININP.DAT: the line count, every line's conductor count, then per line the
// matrices [L], [C], [R], [G] (row by row) and the length. Gives every line
// end its node number and writes the echo of the line data.
#include <cstdint>
#include <string>

#include "fixed_fields.h"
#include "free_format_reader.h"
#include "input_stages.h"

namespace solver {

namespace {

constexpr const char* FILE_NAME = "LININP.DAT";
constexpr int VALUES_PER_ECHO_LINE = 10;

using Matrix = float[MAX_CONDUCTORS][MAX_CONDUCTORS];

// Both (i, j) and (j, i) become the mean of the two; the mean is formed in
// 64 bits so that it cannot overflow.
void make_symmetric(Matrix& m, int n) {
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j) {
            float mean = static_cast<float>(0.5 * (static_cast<double>(m[i][j]) + static_cast<double>(m[j][i])));
            m[i][j] = mean;
            m[j][i] = mean;
        }
}

bool read_matrix(FreeFormatReader& reader, Matrix& m, int n, const std::string& what) {
    reader.start_read();
    const int count = n * n;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            if (!reader.next_real(m[i][j], what, i * n + j + 1, count)) return false;
    return true;
}

// Two empty lines, the title, one empty line, then every row starting on a
// new line, ten E12.4 values to a line.
void echo_matrix(RunReport& report, const std::string& title, const Matrix& m, int n) {
    report.empty_lines(2);
    report.line(title);
    report.empty_line();
    for (int i = 0; i < n; ++i) {
        std::string text;
        for (int j = 0; j < n; ++j) {
            text += fields::format_ew(m[i][j], 12, 4);
            if ((j + 1) % VALUES_PER_ECHO_LINE == 0 || j + 1 == n) {
                report.line(text);
                text.clear();
            }
        }
    }
}

void echo_frequency_scaling(RunReport& report, const RunOptions& options) {
    report.line(" REFERENCE FREQUENCY FOR MATRICES [R] AND [G]" + fields::format_ew(options.reference_frequency, 10, 3) +
                " Hz");
    report.line(" MATRIX [R] PROPORTIONAL TO (f/fref)**" + fields::format_fw(options.r_exponent, 4, 2));
    report.line(" MATRIX [G] PROPORTIONAL TO (f/fref)**" + fields::format_fw(options.g_exponent, 4, 2));
    report.empty_line();
}

void stop(SolverRun& run, std::initializer_list<MessageItem> message, const std::string& diagnostic,
          int& error_flag) {
    run.report.error_message(message);
    run.diagnose(diagnostic);
    error_flag = 1;
}

}  // namespace

void read_transmission_lines(SolverRun& run, int& error_flag) {
    LineTable& lines = run.lines;
    RunReport& report = run.report;
    FreeFormatReader reader;
    auto read_failed = [&] {
        reader.close();
        stop(run, {"ERROR OR END OF FILE READING TRANSMISSION-LINE DATA"}, reader.failure(), error_flag);
    };

    lines.line_count = 0;
    lines.line_port_count = 0;
    if (!reader.open(run.directory, FILE_NAME) ||
        !reader.read_integers(&lines.line_count, 1, "number of transmission lines")) {
        read_failed();
        return;
    }
    const std::int32_t line_count = lines.line_count;
    if (line_count < 0 || line_count > MAX_LINES) {
        lines.line_count = 0;
        if (line_count < 0)
            stop(run, {"NEGATIVE NUMBER OF TRANSMISSION LINES"},
                 reader.rejection("a number of transmission lines from 0 to 16"), error_flag);
        else
            stop(run, {"NUMBER OF TRANSMISSION LINES EXCEEDS ALLOWED", MAX_LINES},
                 reader.rejection("a number of transmission lines from 0 to 16"), error_flag);
        return;
    }
    if (run.echo_input()) {
        report.line(" NUMBER OF TRANSMISSION LINES" + fields::format_iw(line_count, 3));
        report.empty_line();
    }

    // Conductor counts and the line-end node numbering. The node limit is
    // checked line by line, before any matrix is read.
    std::int32_t total = 0;
    for (int k = 1; k <= line_count; ++k) {
        std::int32_t& n = lines.conductor_count[k - 1];
        if (!reader.read_integers(&n, 1, "number of signal conductors of line " + std::to_string(k))) {
            read_failed();
            return;
        }
        const std::string expected = "a number of signal conductors from 1 to 32 for line " + std::to_string(k);
        if (n <= 0) {
            stop(run, {"NONPOSITIVE NUMBER OF CONDUCTORS FOR LINE", k}, reader.rejection(expected), error_flag);
            return;
        }
        if (n > MAX_CONDUCTORS) {
            stop(run, {"NUMBER OF CONDUCTORS FOR LINE", k, " EXCEEDS ALLOWED", MAX_CONDUCTORS},
                 reader.rejection(expected), error_flag);
            return;
        }
        lines.first_node[k - 1] = total + 1;
        total += 2 * n;
        if (total > MAX_NODES) {
            stop(run, {"INTERCONNECTING NETWORK HAS MORE NODES THAN", " ALLOWED", MAX_NODES},
                 reader.rejection("conductor counts that give at most 512 line-end nodes in all (2 per conductor), "
                                  "line " +
                                  std::to_string(k) + " brings the total to " + std::to_string(total)),
                 error_flag);
            return;
        }
    }
    lines.line_port_count = total;

    if (run.echo_input()) echo_frequency_scaling(report, run.options);

    for (int k = 1; k <= line_count; ++k) {
        const int n = lines.conductor_count[k - 1];
        if (run.echo_input()) {
            report.empty_line();
            report.line(" LINE" + fields::format_iw(k, 3) + " HAS" + fields::format_iw(n, 3) +
                        (n == 1 ? " SIGNAL CONDUCTOR" : " SIGNAL CONDUCTORS"));
        }
        const std::string of_line = " of line " + std::to_string(k);
        Matrix* matrices[4] = {&lines.inductance[k - 1], &lines.capacitance[k - 1], &lines.resistance[k - 1],
                               &lines.conductance[k - 1]};
        const char* names[4] = {"matrix [L]", "matrix [C]", "matrix [R]", "matrix [G]"};
        const std::string titles[4] = {" MATRIX [L] (H/m)", " MATRIX [C] (F/m)", std::string(" MATRIX [R] (") + OHM + "/m)",
                                       " MATRIX [G] (S/m)"};
        for (int m = 0; m < 4; ++m) {
            if (!read_matrix(reader, *matrices[m], n, names[m] + of_line)) {
                read_failed();
                return;
            }
        }
        for (Matrix* matrix : matrices) make_symmetric(*matrix, n);
        if (run.echo_input())
            for (int m = 0; m < 4; ++m) echo_matrix(report, titles[m], *matrices[m], n);

        if (!reader.read_reals(&lines.line_length[k - 1], 1, "length in m" + of_line)) {
            read_failed();
            return;
        }
        if (run.echo_input()) {
            report.empty_lines(2);
            report.line(" LINE LENGTH" + fields::format_ew(lines.line_length[k - 1], 10, 3) + " m");
            report.empty_lines(2);
        }
    }
    reader.close();
}

}  // namespace solver
