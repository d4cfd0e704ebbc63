#include "run_mtlnet.h"

#include <memory>
#include <new>
#include <string>

#include "frequency_sweep.h"
#include "input_stages.h"
#include "solver_run.h"

namespace solver {

namespace {

constexpr const char* REPORT_FILE = "VDANOUT.DAT";

void write_banner(RunReport& report) {
    report.empty_lines(2);
    report.line(std::string(" ANALYSIS OF NETWORKS WITH MULTICONDUCTOR ") + "TRANSMISSION LINES");
}

}  // namespace

int run_mtlnet(const std::filesystem::path& directory, std::ostream& diagnostics) {
    MtlnetOptions options;
    options.directory = directory;
    return run_mtlnet(options, diagnostics);
}

int run_mtlnet(const MtlnetOptions& options, std::ostream& diagnostics) {
    const std::filesystem::path& directory = options.directory;
    std::unique_ptr<SolverRun> run(new (std::nothrow) SolverRun(directory, diagnostics, options));
    if (!run) {
        diagnostics << "mtlnet: not enough memory for the run tables\n";
        return 1;
    }
    std::string reason;
    if (!run->report.open(directory / REPORT_FILE, reason)) {
        diagnostics << "mtlnet: cannot create the run report " << REPORT_FILE << ": " << reason << '\n';
        return 1;
    }

    int error_flag = 0;
    read_configuration(*run, error_flag);
    if (error_flag == 0 && run->echo_input()) write_banner(run->report);
    if (error_flag == 0) read_frequency_sweep(*run, error_flag);
    if (error_flag == 0) read_transmission_lines(*run, error_flag);
    if (error_flag == 0) read_network(*run, error_flag);

    // ---- The frequency sweep: modal analysis, nodal equations, parameter files.
    if (error_flag == 0) run_frequency_sweep(*run, error_flag);

    if (error_flag != 0) run->report.message({"EXECUTION TERMINATED"});
    if (!run->report.close()) {
        diagnostics << "mtlnet: the run report " << REPORT_FILE << " could not be written completely\n";
        return 1;
    }
    return error_flag == 0 ? 0 : 1;
}

}  // namespace solver
