// What stays fixed for each kind of parameter and the choices the user made
// for it; a plot session holds the choices for the whole run.
#pragma once

#include <string>

#include "plotter_limits.h"

constexpr int MAX_PORTS = portfiles::PLOTTER_MAX_PORTS;
constexpr int MAX_FREQUENCY_POINTS = portfiles::PLOTTER_MAX_POINTS;
constexpr int FILE_NAME_LENGTH = 20;

// What stays fixed for one kind of parameter.
struct ParameterKindInfo {
    char letter;
    const char* caption;
    const char* default_file;
    const char* saved_extension;
};

// kind: S_PARAMETERS, Y_PARAMETERS or Z_PARAMETERS (1 to 3).
const ParameterKindInfo& parameter_kind_info(int kind);

struct ParameterKindState {
    int format = 1;  // real and imaginary parts
    int i = 1;
    int j = 1;
    std::string file_name = std::string(FILE_NAME_LENGTH, ' ');
    bool loaded = false;
    // Valid while loaded.
    int port_count = 0;
    float start_frequency = 0;
    float stop_frequency = 0;
    int steps = 0;  // frequency points - 1
};
