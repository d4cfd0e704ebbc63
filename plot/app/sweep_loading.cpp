#include "sweep_loading.h"

#include <cmath>
#include <vector>

#include "frequency_spacing.h"
#include "network_parameter_reader.h"
#include "parameter_data.h"

namespace {

portfiles::ReadLimits plotter_limits() {
    portfiles::ReadLimits limits;
    limits.rules = portfiles::ReadRules::FREE_FORMAT;
    limits.max_ports = MAX_PORTS;
    limits.max_points = MAX_FREQUENCY_POINTS;
    // Four times a file of 9 ports and 10 000 points, so that an input
    // without end (/dev/zero) ends as a read error.
    limits.max_bytes = std::int64_t{64} << 20;
    limits.single_precision_range = true;
    return limits;
}

ParameterFileStatus status_of(portfiles::ReadFailure failure) {
    switch (failure) {
        case portfiles::ReadFailure::CANNOT_OPEN: return ParameterFileStatus::CANNOT_OPEN;
        case portfiles::ReadFailure::TOO_MANY_PORTS: return ParameterFileStatus::TOO_MANY_PORTS;
        case portfiles::ReadFailure::TOO_MANY_POINTS: return ParameterFileStatus::TOO_MANY_POINTS;
        case portfiles::ReadFailure::NONE:
        case portfiles::ReadFailure::MALFORMED: break;
    }
    return ParameterFileStatus::READ_ERROR;
}

ParameterFileResult read_error(ParameterFileResult result, int line, const std::string& expected) {
    result.status = ParameterFileStatus::READ_ERROR;
    result.line = line;
    result.diagnostic = "expected " + expected;
    return result;
}

// What the plotter shows of a sweep the library has read.
ParameterFileResult summarise(portfiles::SweepReading&& reading, portfiles::PortSweep& sweep) {
    sweep = portfiles::PortSweep{};
    ParameterFileResult result;
    if (!reading.ok) {
        result = read_error(result, reading.error.line, reading.error.expected);
        result.status = status_of(reading.failure);
        return result;
    }
    const portfiles::PortSweep& read = reading.sweep;
    result.port_count = read.port_count;
    result.steps = static_cast<int>(read.points()) - 1;
    if (result.steps < 1) {
        result.status = ParameterFileStatus::NOTHING_TO_PLOT;
        return result;
    }
    // The plot's frequencies are 32-bit reals.
    std::vector<float> f(read.frequencies.begin(), read.frequencies.end());
    result.start_frequency = f[0];
    // An even sweep shows the stop its step gives; any other list (a
    // logarithmic sweep, measured data) its last frequency.
    if (frequency_spacing(f.data(), static_cast<int>(f.size())).kind == SpacingKind::EVEN)
        result.stop_frequency = result.start_frequency + static_cast<float>(result.steps) * (f[1] - f[0]);
    else
        result.stop_frequency = f.back();
    if (!std::isfinite(result.stop_frequency))
        return read_error(result, 1, "frequencies whose sweep stays within the real range");
    sweep = std::move(reading.sweep);
    result.status = ParameterFileStatus::LOADED;
    return result;
}

}  // namespace

ParameterFileResult read_sweep_file(const std::string& path, portfiles::PortSweep& sweep) {
    return summarise(portfiles::read_parameter_file(path, path, plotter_limits()), sweep);
}

ParameterFileResult read_sweep_stream(std::istream& in, portfiles::PortSweep& sweep) {
    return summarise(portfiles::read_parameter_stream(in, "", plotter_limits()), sweep);
}
