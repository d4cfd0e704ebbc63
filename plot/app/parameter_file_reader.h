// Reading a network parameter file (frequency blocks of the lower triangle
// of one port matrix) in two passes: the first block gives the port count,
// the second pass reads every block into a ParameterData store.
//
// The file comes from outside: whatever it holds, the reader keeps within
// its tables and within a bounded amount of memory per line, and reports
// anything that is not a well-formed file.
#pragma once

#include <cstdio>
#include <string>

#include "parameter_data.h"

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

// Reads the file at path (an actual path, already looked up) into data.
// On any status but LOADED the store may hold a part of the file.
ParameterFileResult read_parameter_file(const std::string& path, ParameterData& data);

// The same on an open stream, read from its start in both passes.
ParameterFileResult read_parameter_stream(std::FILE* file, ParameterData& data);
