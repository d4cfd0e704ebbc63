// The plotter's parameter-file reader on any bytes.
//
// Invariants: it answers with one of its statuses; a read error names a line
// and what was expected; a loaded file has 1 to 9 ports, at least two points
// and finite values only.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <memory>

#include "fuzz_folder.h"
#include "parameter_file_reader.h"

using fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const auto store = std::make_unique<ParameterData>();
    if (size == 0) return 0;  // fmemopen needs a buffer
    std::FILE* file = fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
    require(file != nullptr, "memory stream opens");
    const ParameterFileResult result = read_parameter_stream(file, *store);
    std::fclose(file);
    switch (result.status) {
        case ParameterFileStatus::READ_ERROR:
            require(result.line >= 1 && !result.diagnostic.empty(), "a read error says where and what");
            break;
        case ParameterFileStatus::LOADED:
            require(result.port_count >= 1 && result.port_count <= MAX_PORTS, "port count");
            require(result.steps >= 1 && result.steps < MAX_FREQUENCY_POINTS, "steps");
            require(std::isfinite(result.start_frequency) && std::isfinite(result.stop_frequency), "finite range");
            for (int k = 0; k <= result.steps; ++k) {
                require(std::isfinite(store->f[k]), "finite frequency");
                for (int r = 0; r < result.port_count; ++r)
                    for (int c = 0; c < result.port_count; ++c)
                        require(std::isfinite(store->re[r][c][k]) && std::isfinite(store->im[r][c][k]) &&
                                    store->re[r][c][k] == store->re[c][r][k],
                                "finite mirrored entries");
            }
            break;
        case ParameterFileStatus::TOO_MANY_PORTS:
        case ParameterFileStatus::NOTHING_TO_PLOT:
            break;
        case ParameterFileStatus::CANNOT_OPEN:
            fuzz::broken("an open stream cannot fail to open");
    }
    return 0;
}
