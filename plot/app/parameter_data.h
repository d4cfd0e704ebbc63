// The loaded network parameters and the choices the user made for each kind
// of parameter; a plot session holds both for the whole run.
#pragma once

#include <array>
#include <string>

constexpr int MAX_PORTS = 9;
constexpr int MAX_FREQUENCY_POINTS = 10000;  // as many as the solver writes
constexpr int FILE_NAME_LENGTH = 20;

// One store shared by the three kinds. Matrix element (row, column) of
// frequency point k is re[row - 1][column - 1][k - 1]: every sweep is
// contiguous, so it can be handed on as it is. The upper triangle is
// mirrored from the lower one.
struct ParameterData {
    std::array<float, MAX_FREQUENCY_POINTS> f;
    std::array<std::array<std::array<float, MAX_FREQUENCY_POINTS>, MAX_PORTS>, MAX_PORTS> re;
    std::array<std::array<std::array<float, MAX_FREQUENCY_POINTS>, MAX_PORTS>, MAX_PORTS> im;
    // The sweep of the element being plotted.
    std::array<float, MAX_FREQUENCY_POINTS + 1> re_series;
    std::array<float, MAX_FREQUENCY_POINTS + 1> im_series;
};

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
