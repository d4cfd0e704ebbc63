#include "run_mtlnet.h"

#include <chrono>
#include <cstdio>
#include <memory>
#include <new>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

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

// The run's one diagnostic line: the first failure, with output files that
// could not be written as well folded into it. Empty for a clean run.
constexpr std::string_view PREFIX = "mtlnet: ";

std::string diagnostic_line(const std::string& stage_lines, const std::vector<SolverRun::OutputFailure>& outputs) {
    std::string text;
    std::size_t start = 0;
    for (std::size_t end; (end = stage_lines.find('\n', start)) != std::string::npos; start = end + 1) {
        std::string_view line(stage_lines.data() + start, end - start);
        if (!text.empty()) {
            text += "; ";
            if (line.substr(0, PREFIX.size()) == PREFIX) line.remove_prefix(PREFIX.size());
        }
        text += line;
    }
    for (const SolverRun::OutputFailure& output : outputs)
        text += text.empty() ? std::string(PREFIX) + output.first : "; " + output.folded;
    return text.empty() ? text : text + '\n';
}

WarningMode warning_mode(const MtlnetOptions& options) {
    if (options.strict) return WarningMode::STRICT;
    return options.quiet ? WarningMode::QUIET : WarningMode::SHOW;
}

// Under --strict an input stage that gave warnings ends the run as a stage
// that failed does.
void stop_if_warned(SolverRun& run, std::size_t warnings_before, int& error_flag) {
    if (error_flag != 0 || run.warnings.mode() != WarningMode::STRICT || run.warnings.count() == warnings_before)
        return;
    run.report.error_message({"SUSPICIOUS INPUT DATA REJECTED, WARNINGS ARE ERRORS"});
    error_flag = 1;
}

// "mtlnet: 200 points, 2 ports; wrote VDANOUT.DAT, SPAR.DAT, ZPAR.DAT, YPAR.DAT in 0.31 s"
std::string summary_line(const SolverRun& run, double seconds) {
    char time[32];
    std::snprintf(time, sizeof time, "%.2f s", seconds);
    const int points = run.sweep.step_count + 1, ports = run.network.port_count;
    return "mtlnet: " + std::to_string(points) + (points == 1 ? " point, " : " points, ") + std::to_string(ports) +
           (ports == 1 ? " port" : " ports") + "; wrote " + REPORT_FILE + ", SPAR.DAT, ZPAR.DAT, YPAR.DAT in " + time;
}

}  // namespace

int run_mtlnet(const std::filesystem::path& directory, std::ostream& diagnostics) {
    MtlnetOptions options;
    options.directory = directory;
    return run_mtlnet(options, diagnostics);
}

int run_mtlnet(const MtlnetOptions& options, std::ostream& diagnostics) {
    const auto start = std::chrono::steady_clock::now();
    const std::filesystem::path& directory = options.directory;
    std::ostringstream stage_lines;
    std::unique_ptr<SolverRun> run(new (std::nothrow) SolverRun(directory, stage_lines, options, &diagnostics));
    if (!run) {
        diagnostics << "mtlnet: not enough memory for the run tables\n";
        return 1;
    }
    std::string reason;
    if (!run->report.open(directory / REPORT_FILE, reason)) {
        diagnostics << "mtlnet: cannot create the run report " << REPORT_FILE << ": " << reason << '\n';
        return 1;
    }

    run->warnings.set_mode(warning_mode(options));
    int error_flag = 0;
    auto input_stage = [&](void (*stage)(SolverRun&, int&)) {
        if (error_flag != 0) return;
        const std::size_t warnings_before = run->warnings.count();
        stage(*run, error_flag);
        stop_if_warned(*run, warnings_before, error_flag);
    };
    input_stage(read_configuration);
    if (error_flag == 0 && run->echo_input()) write_banner(run->report);
    if (error_flag == 0 && options.sweep)
        use_given_frequency_sweep(*run, *options.sweep);
    else
        input_stage(read_frequency_sweep);
    input_stage(read_transmission_lines);
    input_stage(read_network);

    // ---- The frequency sweep: modal analysis, nodal equations, parameter files.
    if (error_flag == 0) run_frequency_sweep(*run, error_flag);

    if (error_flag != 0) run->report.message({"EXECUTION TERMINATED"});
    if (!run->report.flush()) run->report.end_cut_report("\n\n ERROR WRITING RUN REPORT\n EXECUTION TERMINATED\n");
    if (!run->report.close())
        run->output_failures.push_back({std::string("the run report ") + REPORT_FILE +
                                            " could not be written: " + run->report.failure(),
                                        "the run report could not be written either"});
    diagnostics << diagnostic_line(stage_lines.str(), run->output_failures);
    if (error_flag != 0 || !run->output_failures.empty()) return 1;
    if (options.terminal && !options.quiet)
        diagnostics << summary_line(*run, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count())
                    << '\n';
    return 0;
}

}  // namespace solver
