#include "touchstone_sink.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "option_parser.h"
#include "run_report.h"
#include "sweep_point.h"

namespace solver {

namespace {

// A 32-bit input value as the user wrote it (75.3, not 75.30000305...).
double as_written(float value) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text - 1, value);
    *end.ptr = '\0';
    return std::strtod(text, nullptr);
}

std::string hz(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.10g Hz", value);
    return text;
}

}  // namespace

std::filesystem::path touchstone_path(const SolverRun& run) {
    const std::string& chosen = *run.command.touchstone;
    return chosen.empty() ? portfiles::default_touchstone_name(run.network.port_count) : chosen;
}

TouchstoneSink::TouchstoneSink(const SolverRun& run, std::filesystem::path path)
    : run_(run), path_(run.directory / path) {
    network_.kind = portfiles::ParameterKind::S;
    network_.sweep.port_count = run.network.port_count;
    for (int p = 0; p < run.network.port_count; ++p)
        network_.reference.push_back(as_written(run.network.nominal_impedance[p]));
}

bool TouchstoneSink::open(PointFailure& failure) {
    const std::filesystem::path folder = path_.has_parent_path() ? path_.parent_path() : ".";
    std::error_code error;
    std::string why;
    if (!std::filesystem::is_directory(folder, error))
        why = "no folder " + folder.string();
    else if (!file_.create(path_))
        why = file_.failure();
    if (why.empty()) return true;
    failure.message = message_text({"ERROR CREATING TOUCHSTONE FILE"});
    failure.diagnostic = "cannot create the Touchstone file " + path_.string() + ": " + why;
    return false;
}

void TouchstoneSink::write(const PointResult& point) {
    if (point.matrices < S_ONLY) return;
    const int n = network_.sweep.port_count;
    std::complex<double>* m = network_.sweep.add_point(point.frequency);
    for (int p = 0; p < n; ++p)
        for (int q = 0; q < n; ++q) m[q + p * n] = point.s[q + p * PORT_LD];
}

bool TouchstoneSink::close(PointFailure& failure) {
    const portfiles::PortSweep& sweep = network_.sweep;
    const int planned = run_.sweep.step_count + 1;
    std::vector<std::string> comments = {std::string("mtlnet ") + cli::version(),
                                         "S-parameters of the network in " +
                                             std::filesystem::absolute(run_.directory).lexically_normal().string()};
    std::string points = "sweep of " + std::to_string(planned) + " frequencies from " +
                         hz(run_.sweep.frequency(0)) + " to " + hz(run_.sweep.frequency(planned - 1));
    if (static_cast<int>(sweep.points()) < planned)
        points += "; " + std::to_string(sweep.points()) + " completed";
    comments.push_back(points);
    portfiles::write_touchstone(file_.stream(), network_, comments);
    if (file_.commit()) return true;
    failure.message = message_text({"ERROR WRITING TOUCHSTONE FILE"});
    failure.diagnostic = "the Touchstone file " + path_.string() + " could not be written: " + file_.failure();
    failure.folded = "the Touchstone file " + path_.string() + " could not be written either";
    return false;
}

}  // namespace solver
