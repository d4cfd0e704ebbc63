#include "run_mtlnet.h"

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

}  // namespace

int run_mtlnet(const std::filesystem::path& directory, std::ostream& diagnostics) {
    MtlnetOptions options;
    options.directory = directory;
    return run_mtlnet(options, diagnostics);
}

int run_mtlnet(const MtlnetOptions& options, std::ostream& diagnostics) {
    const std::filesystem::path& directory = options.directory;
    std::ostringstream stage_lines;
    std::unique_ptr<SolverRun> run(new (std::nothrow) SolverRun(directory, stage_lines, options));
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
    if (error_flag == 0) {
        if (options.sweep)
            use_given_frequency_sweep(*run, *options.sweep);
        else
            read_frequency_sweep(*run, error_flag);
    }
    if (error_flag == 0) read_transmission_lines(*run, error_flag);
    if (error_flag == 0) read_network(*run, error_flag);

    // ---- The frequency sweep: modal analysis, nodal equations, parameter files.
    if (error_flag == 0) run_frequency_sweep(*run, error_flag);

    if (error_flag != 0) run->report.message({"EXECUTION TERMINATED"});
    if (!run->report.flush()) run->report.end_cut_report("\n\n ERROR WRITING RUN REPORT\n EXECUTION TERMINATED\n");
    if (!run->report.close())
        run->output_failures.push_back({std::string("the run report ") + REPORT_FILE +
                                            " could not be written: " + run->report.failure(),
                                        "the run report could not be written either"});
    diagnostics << diagnostic_line(stage_lines.str(), run->output_failures);
    return error_flag == 0 && run->output_failures.empty() ? 0 : 1;
}

}  // namespace solver
