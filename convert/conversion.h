// mtlconv: converts between Touchstone files and the parameter files the
// plotter loads (kept copies .spm, .ypm, .zpm), refusing whatever the
// plotter could not show or the target file could not hold.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "plotter_limits.h"

namespace convert {

// The limits of the plotter's parameter store.
constexpr int MAX_PLOTTED_PORTS = portfiles::PLOTTER_MAX_PORTS;
constexpr int MAX_PLOTTED_POINTS = portfiles::PLOTTER_MAX_POINTS;

struct ConversionOptions {
    std::string input, output;
    bool lower = false;         // keep the lower triangle of a matrix that is not reciprocal
    std::vector<double> z0;     // port impedances for a Touchstone file (one for all, or one per port)
    char kind = 0;              // 's', 'y' or 'z' for a parameter file whose name does not tell
};

// Runs one conversion. Notes and the one-line reason of a refusal go to
// err. Returns the exit status: 0 converted, 1 refused or failed (the
// output file is then not touched).
int run_conversion(const ConversionOptions& options, std::ostream& err);

}  // namespace convert
