// Loading a network parameter file for plotting: the parameter-file
// library's free-format reading with the plotter's limits (9 ports, 10 000
// points, 32-bit reals, a bounded read of an input without end), then what
// the plotter needs besides: at least two points and the frequency range it
// shows.
#pragma once

#include <istream>
#include <string>

#include "port_sweep.h"

enum class ParameterFileStatus {
    LOADED,
    CANNOT_OPEN,      // "Cannot open file "
    READ_ERROR,       // "Error reading file "
    TOO_MANY_PORTS,   // "Number of ports exceeds allowed 9"
    NOTHING_TO_PLOT,  // fewer than two frequency points
    TOO_MANY_POINTS,  // "Too many data points for plotting"
};

struct ParameterFileResult {
    ParameterFileStatus status = ParameterFileStatus::CANNOT_OPEN;
    int port_count = 0;
    int steps = 0;  // complete blocks - 1
    float start_frequency = 0;
    float stop_frequency = 0;
    // For a read error: the line (1-based) where it was found and what was
    // expected there.
    int line = 0;
    std::string diagnostic;
};

// Reads the file at path (an actual path, already looked up) into sweep.
// On any status but LOADED the sweep is empty.
ParameterFileResult read_sweep_file(const std::string& path, portfiles::PortSweep& sweep);

// The same on an open stream, read from its start (twice: it is rewound if
// it can be).
ParameterFileResult read_sweep_stream(std::istream& in, portfiles::PortSweep& sweep);
