// Reading a network parameter file into a PortSweep, strictly: every block
// is a frequency line (one number), an empty line, the lower triangle of
// the matrix (two numbers per line) and an empty line (the last block may
// end with the file instead). The first block fixes the port count; every
// later block must have as many entry lines. Lines of blanks count as
// empty; numbers are separated by blanks, tabs or commas. An empty file is
// a sweep without points.
//
// Memory stays within the limits: a line longer than MAX_LINE_LENGTH, more
// ports or more points than the limits allow are errors.
#pragma once

#include <filesystem>
#include <istream>
#include <string>

#include "port_sweep.h"
#include "read_error.h"

namespace portfiles {

struct ReadLimits {
    int max_ports = 64;
    std::size_t max_points = 1000000;
};

struct SweepReading {
    bool ok = false;
    PortSweep sweep;
    ReadError error;  // when not ok
};

constexpr std::size_t MAX_LINE_LENGTH = 4096;

// shown_name names the file in diagnostics.
SweepReading read_parameter_file(const std::filesystem::path& path, const std::string& shown_name,
                                 const ReadLimits& limits = {});
SweepReading read_parameter_stream(std::istream& in, const std::string& shown_name,
                                   const ReadLimits& limits = {});

}  // namespace portfiles
