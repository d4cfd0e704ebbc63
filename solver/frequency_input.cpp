// FRQINP.DAT: one free-format read of start frequency, step and step count.
#include <cmath>
#include <cstdint>
#include <string>

#include "fixed_fields.h"
#include "free_format_reader.h"
#include "input_stages.h"
#include "sweep_points.h"

namespace solver {

namespace {

constexpr const char* FILE_NAME = "FRQINP.DAT";
// A step this many times the start frequency suggests start, stop and
// number of points where start, step and number of steps belong.
constexpr double SUSPICIOUS_STEP_RATIO = 1000.0;

void write_echo(RunReport& report, const FrequencySweep& sweep) {
    report.empty_lines(2);
    if (sweep.spacing == SweepSpacing::LOGARITHMIC) {
        report.line(" LOGARITHMIC SWEEP, EQUAL STEPS IN LOG10 OF THE FREQUENCY");
        report.line(" STARTING FREQUENCY" + fields::format_ew(sweep.start_frequency, 10, 3) + " Hz");
        report.line(" FINAL FREQUENCY" + fields::format_ew(sweep.stop_frequency, 10, 3) + " Hz");
        report.line(" NUMBER OF FREQUENCY STEPS" + fields::format_iw(sweep.step_count, 5));
        report.line(" POINTS PER DECADE" + fields::format_fw(points_per_decade(sweep), 10, 2));
        report.empty_lines(2);
        return;
    }
    report.line(" STARTING FREQUENCY" + fields::format_ew(sweep.start_frequency, 10, 3) + " Hz");
    report.line(" FREQUENCY STEP" + fields::format_ew(sweep.frequency_step, 10, 3) + " Hz");
    report.line(" NUMBER OF FREQUENCY STEPS" + fields::format_iw(sweep.step_count, 5));
    report.empty_lines(2);
}

void fail(SolverRun& run, const std::string& diagnostic, int& error_flag) {
    run.report.error_message({"ERROR OR END OF FILE READING FREQUENCY DATA"});
    run.diagnose(diagnostic);
    error_flag = 1;
}

}  // namespace

void read_frequency_sweep(SolverRun& run, int& error_flag) {
    FrequencySweep& sweep = run.sweep;
    FreeFormatReader reader;
    std::int32_t step_count = 0;
    if (!reader.open(run.directory, FILE_NAME, &run.warnings)) {
        fail(run, reader.failure(), error_flag);
        return;
    }
    reader.start_read();
    if (!reader.next_real(sweep.start_frequency, "start frequency in Hz, the first of three values") ||
        !reader.next_real(sweep.frequency_step, "frequency step in Hz, the second of three values") ||
        !reader.next_integer(step_count, "number of frequency steps, the third of three values")) {
        reader.close();
        fail(run, reader.failure(), error_flag);
        return;
    }
    reader.finish();

    // Negative and zero values are repaired, never rejected.
    sweep = repaired_linear_sweep(sweep.start_frequency, sweep.frequency_step, step_count);

    // A sweep whose last point, or its angular frequency, overflows 32-bit
    // reals cannot be analysed.
    if (!angular_frequencies_finite(sweep)) {
        fail(run,
             reader.last_value_location() +
                 ": expected a sweep whose last angular frequency (2 pi f) is finite in 32 bits, found start " +
                 fields::format_ew(sweep.start_frequency, 10, 3).substr(1) + " Hz, step " +
                 fields::format_ew(sweep.frequency_step, 10, 3).substr(1) + " Hz, " +
                 std::to_string(sweep.step_count) + " steps",
             error_flag);
        return;
    }
    if (sweep.step_count > 0 &&
        static_cast<double>(sweep.frequency_step) > SUSPICIOUS_STEP_RATIO * sweep.start_frequency)
        run.warnings.add(reader.last_value_location(),
                         "the frequency step" + fields::format_ew(sweep.frequency_step, 10, 3) +
                             " Hz is more than 1000 times the start frequency" +
                             fields::format_ew(sweep.start_frequency, 10, 3) + " Hz, so the sweep ends at" +
                             fields::format_ew(sweep.last_frequency(), 10, 3) +
                             " Hz; the values are start, step and number of steps (a start, stop, points mix-up?)");
    if (run.echo_input()) write_echo(run.report, sweep);
}

void use_given_frequency_sweep(SolverRun& run, const FrequencySweep& sweep) {
    run.sweep = sweep;
    if (run.echo_input()) write_echo(run.report, sweep);
}

}  // namespace solver
