// LININP.DAT: the line count, every line's conductor count, then per line the
// matrices [L], [C], [R], [G] (row by row) and the length. Gives every line
// end its node number and writes the echo of the line data.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "fixed_fields.h"
#include "free_format_reader.h"
#include "input_stages.h"
#include "line_plausibility.h"

namespace solver {

namespace {

constexpr const char* FILE_NAME = "LININP.DAT";
constexpr int VALUES_PER_ECHO_LINE = 10;

using Matrix = LineMatrix;
using ValueLines = int[MAX_CONDUCTORS][MAX_CONDUCTORS];  // file line of every value of a matrix

// Lossless wave speeds outside this range suggest [L] and [C] in other
// units than H/m and F/m.
constexpr double SLOWEST_PLAUSIBLE_SPEED = 1.0e6;  // m/s
constexpr double FASTEST_PLAUSIBLE_SPEED = 3.1e8;  // m/s

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

bool read_matrix(FreeFormatReader& reader, Matrix& m, ValueLines& lines, int n, const std::string& what) {
    reader.start_read();
    const int count = n * n;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            if (!reader.next_real(m[i][j], what, i * n + j + 1, count)) return false;
            lines[i][j] = reader.last_value_line();
        }
    return true;
}

std::string number(double value) {
    const std::string field = fields::format_ew(value, 10, 3);
    return field.substr(field.find_first_not_of(' '));
}

struct Warning {
    std::string location;
    std::string text;
};

std::string entry(char matrix, const MatrixFinding& at) {
    return std::string(1, matrix) + "(" + std::to_string(at.row + 1) + "," + std::to_string(at.column + 1) + ")";
}

// Warnings about one line's matrices as read, before they are made symmetric.
std::vector<Warning> unsymmetric_warnings(const std::string& file, int k, const Matrix* const matrices[4],
                                          const ValueLines* const lines, int n) {
    std::vector<Warning> warnings;
    const char letters[4] = {'L', 'C', 'R', 'G'};
    for (int m = 0; m < 4; ++m) {
        const std::optional<MatrixFinding> pair = worst_unsymmetric_pair(*matrices[m], n);
        if (!pair) continue;
        const Matrix& a = *matrices[m];
        const MatrixFinding mirrored{pair->column, pair->row, 0};
        const int upper_line = lines[m][pair->row][pair->column], lower_line = lines[m][pair->column][pair->row];
        std::string text = entry(letters[m], *pair) + " = " + number(a[pair->row][pair->column]) + " (line " +
                           std::to_string(upper_line) + ") and " + entry(letters[m], mirrored) + " = " +
                           number(a[pair->column][pair->row]) + " (line " + std::to_string(lower_line) +
                           ") of transmission line " + std::to_string(k) +
                           " differ by more than 1 %; both are used as their mean";
        if (pair->count > 1) text += " (" + std::to_string(pair->count) + " such pairs in [" + letters[m] + "])";
        warnings.push_back({file + ":" + std::to_string(lower_line), text});
    }
    return warnings;
}

// Warnings about the symmetric [L] and [C] of line k: definiteness, the sign
// of the coupling capacitances and the wave speed of the modes.
void warn_implausible_lc(InputWarnings& warnings, const std::string& file, int k, const Matrix& l,
                         const Matrix& c, int n, const ValueLines& l_lines, const ValueLines& c_lines) {
    const std::string of_line = " of transmission line " + std::to_string(k);
    const std::string l_at = file + ":" + std::to_string(l_lines[0][0]);
    const std::string c_at = file + ":" + std::to_string(c_lines[0][0]);
    const bool l_definite = is_positive_definite(l, n), c_definite = is_positive_definite(c, n);
    if (!l_definite) warnings.add(l_at, "[L]" + of_line + " is not positive definite, as the matrix of a real line is");
    if (!c_definite) warnings.add(c_at, "[C]" + of_line + " is not positive definite, as the matrix of a real line is");
    if (const std::optional<MatrixFinding> positive = first_positive_off_diagonal(c, n)) {
        std::string text = entry('C', *positive) + " = " + number(c[positive->row][positive->column]) + of_line +
                           " is positive; the coupling entries of [C] are negative or 0";
        if (positive->count > 1) text += " (" + std::to_string(positive->count) + " positive pairs)";
        warnings.add(file + ":" + std::to_string(c_lines[positive->row][positive->column]), text);
    }
    if (!l_definite || !c_definite ||
        lossless_speeds_within(l, c, n, SLOWEST_PLAUSIBLE_SPEED, FASTEST_PLAUSIBLE_SPEED))
        return;
    const std::optional<SpeedRange> speed = lossless_speed_range(l, c, n);
    if (!speed || (speed->slowest >= SLOWEST_PLAUSIBLE_SPEED && speed->fastest <= FASTEST_PLAUSIBLE_SPEED)) return;
    const std::string range = speed->slowest == speed->fastest || n == 1
                                  ? "at " + number(speed->slowest)
                                  : "at " + number(speed->slowest) + " to " + number(speed->fastest);
    warnings.add(l_at, "the modes" + of_line + " travel " + range +
                           " m/s (lossless, from [L][C]), outside 1E+06 to 3.1E+08 m/s; are [L] and [C] in "
                           "H/m and F/m?");
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
    if (!reader.open(run.directory, FILE_NAME, &run.warnings) ||
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
        ValueLines value_lines[4];
        for (int m = 0; m < 4; ++m) {
            if (!read_matrix(reader, *matrices[m], value_lines[m], n, names[m] + of_line)) {
                read_failed();
                return;
            }
        }
        const std::vector<Warning> unsymmetric = unsymmetric_warnings(FILE_NAME, k, matrices, value_lines, n);
        for (Matrix* matrix : matrices) make_symmetric(*matrix, n);
        if (run.echo_input())
            for (int m = 0; m < 4; ++m) echo_matrix(report, titles[m], *matrices[m], n);

        if (!reader.read_reals(&lines.line_length[k - 1], 1, "length in m" + of_line)) {
            read_failed();
            return;
        }
        // A line is judged once it has been read completely.
        for (const Warning& warning : unsymmetric) run.warnings.add(warning.location, warning.text);
        warn_implausible_lc(run.warnings, FILE_NAME, k, *matrices[0], *matrices[1], n, value_lines[0],
                            value_lines[1]);
        if (!(lines.line_length[k - 1] > 0.0f))
            run.warnings.add(reader.last_value_location(),
                             "transmission line " + std::to_string(k) + " has the length " +
                                 number(lines.line_length[k - 1]) + " m; a line needs a positive length");
        if (run.echo_input()) {
            report.empty_lines(2);
            report.line(" LINE LENGTH" + fields::format_ew(lines.line_length[k - 1], 10, 3) + " m");
            report.empty_lines(2);
        }
    }
    reader.finish();
}

}  // namespace solver
