// CONFIG.DAT: six free-format reads giving the run options.
#include <string>

#include "free_format_reader.h"
#include "input_stages.h"

namespace solver {

namespace {

constexpr const char* FILE_NAME = "CONFIG.DAT";

void read_failed(SolverRun& run, FreeFormatReader& reader, int& error_flag) {
    reader.close();
    run.report.error_message({"ERROR OR END OF FILE READING CONFIGURATION FILE"});
    run.diagnose(reader.failure());
    error_flag = 1;
}

// Reads the exponent of [R] or [G] (matrix "[R]" or "[G]"), which must lie in
// [0, 10). False after a failure (message written, flag set).
bool read_exponent(SolverRun& run, FreeFormatReader& reader, float& exponent, const std::string& matrix,
                   int& error_flag) {
    if (!reader.read_reals(&exponent, 1, "exponent of matrix " + matrix)) {
        read_failed(run, reader, error_flag);
        return false;
    }
    if (exponent >= 0.0f && exponent < 10.0f) return true;
    const std::string first_text = "EXPONENT FOR MATRIX " + matrix + " LESS THAN 0 OR GREATER ";
    run.report.error_message({std::string_view(first_text), "THAN 10"});
    run.diagnose(reader.rejection("an exponent for " + matrix + " from 0 up to (not including) 10"));
    error_flag = 1;
    return false;
}

}  // namespace

void read_configuration(SolverRun& run, int& error_flag) {
    RunOptions& options = run.options;
    FreeFormatReader reader;
    if (!reader.open(run.directory, FILE_NAME, &run.warnings) ||
        !reader.read_integers(options.reserved_first, 2, "the two reserved integers of the first read") ||
        !reader.read_reals(&options.reference_frequency, 1, "reference frequency in Hz")) {
        read_failed(run, reader, error_flag);
        return;
    }
    if (options.reference_frequency <= 0.0f) {
        run.report.error_message({"NONPOSITIVE REFERENCE FREQUENCY"});
        run.diagnose(reader.rejection("a reference frequency greater than 0"));
        error_flag = 1;
        return;
    }
    if (!read_exponent(run, reader, options.r_exponent, "[R]", error_flag) ||
        !read_exponent(run, reader, options.g_exponent, "[G]", error_flag))
        return;
    std::int32_t switches[5] = {};
    if (!reader.read_integers(options.reserved_fifth, 5, "the five reserved integers of the fifth read") ||
        !reader.read_integers(switches, 5,
                              "report switches (input echo, modal report, S report mode, Z report, Y report)")) {
        read_failed(run, reader, error_flag);
        return;
    }
    reader.finish();
    options.suppress_input_echo = switches[0];
    options.suppress_modal_report = switches[1];
    options.s_report_mode = switches[2];
    options.suppress_z_report = switches[3];
    options.suppress_y_report = switches[4];
    // With every result section switched off, the S section with dB values is written.
    if (options.suppress_modal_report == 1 && options.s_report_mode == 1 && options.suppress_z_report == 1 &&
        options.suppress_y_report == 1)
        options.s_report_mode = 2;
}

}  // namespace solver
