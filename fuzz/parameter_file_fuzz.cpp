// The plotter's parameter-file reader on any bytes.
//
// Invariants: it answers with one of its statuses; a read error names a line
// and what was expected; a loaded file has 1 to 9 ports, at least two points
// and finite values only.
#include <cmath>
#include <cstdint>
#include <sstream>
#include <string>

#include "fuzz_folder.h"
#include "parameter_data.h"
#include "sweep_loading.h"

using fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    portfiles::PortSweep sweep;
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    const ParameterFileResult result = read_sweep_stream(in, sweep);
    switch (result.status) {
        case ParameterFileStatus::READ_ERROR:
            require(result.line >= 1 && !result.diagnostic.empty(), "a read error says where and what");
            break;
        case ParameterFileStatus::LOADED:
            require(result.port_count >= 1 && result.port_count <= MAX_PORTS, "port count");
            require(result.steps >= 1 && result.steps < MAX_FREQUENCY_POINTS, "steps");
            require(std::isfinite(result.start_frequency) && std::isfinite(result.stop_frequency), "finite range");
            require(sweep.port_count == result.port_count && sweep.points() == std::size_t(result.steps) + 1,
                    "the sweep as summarised");
            for (std::size_t k = 0; k < sweep.points(); ++k) {
                require(std::isfinite(static_cast<float>(sweep.frequencies[k])), "finite frequency");
                for (int r = 0; r < result.port_count; ++r)
                    for (int c = 0; c < result.port_count; ++c)
                        require(std::isfinite(static_cast<float>(sweep.at(k, r, c).real())) &&
                                    std::isfinite(static_cast<float>(sweep.at(k, r, c).imag())) &&
                                    sweep.at(k, r, c) == sweep.at(k, c, r),
                                "finite mirrored entries");
            }
            break;
        case ParameterFileStatus::TOO_MANY_PORTS:
        case ParameterFileStatus::NOTHING_TO_PLOT:
        case ParameterFileStatus::TOO_MANY_POINTS:
            break;
        case ParameterFileStatus::CANNOT_OPEN:
            fuzz::broken("an open stream cannot fail to open");
    }
    return 0;
}
