// The frequency sweep: every point is analysed into a result value (the
// numerics write nothing), and one writer commits the values in sweep order
// to the run report and the parameter files. The sweep stops at the first
// failure; the files then hold the blocks completed so far.
#include "frequency_sweep.h"

#include <memory>
#include <new>

#include "parameter_file_sink.h"
#include "point_analysis.h"
#include "sweep_progress.h"
#include "sweep_report_sink.h"
#include "sweep_writer.h"

namespace solver {

void run_frequency_sweep(SolverRun& run, int& error_flag) {
    std::unique_ptr<NodalSystem> system(new (std::nothrow) NodalSystem);
    std::unique_ptr<PointResult> result(new (std::nothrow) PointResult);
    if (!system || !result) {
        run.report.error_message({"NOT ENOUGH MEMORY FOR THE NODAL EQUATIONS"});
        run.diagnose("not enough memory for the nodal equations");
        error_flag = 1;
        return;
    }
    SweepReportSink report(run.report, run.options);
    ParameterFileSink files(run.directory);
    SweepWriter writer(run);
    writer.add_sink(report);
    writer.add_sink(files);
    if (!writer.open(error_flag)) return;

    PointAnalysis analysis(run, *system);
    const int points = run.sweep.step_count + 1;
    SweepProgress progress(points, run.command.quiet);
    for (int i = 0; i < points; ++i) {
        analysis.analyse(run.sweep.frequency(i), *result);
        if (!writer.commit(*result, error_flag)) break;
        progress.point_done(i + 1);
    }
    writer.close(error_flag);
}

}  // namespace solver
