// The plot editor's set-up: labels, plotted values and the data range.
#pragma once

#include <string>

#include "plot_state.h"

// Messages of a failed set-up.
inline constexpr const char* MSG_TOO_FEW_POINTS = "Insufficient number of data points for plotting";
inline constexpr const char* MSG_TOO_MANY_POINTS = "Too many data points for plotting";
inline constexpr const char* MSG_EQUAL_FREQUENCIES =
    "Minimal and maximal values of the frequency are equal";
inline constexpr const char* MSG_EQUAL_ABSCISSA = "Minimal and maximal values of the abscissa are equal";
inline constexpr const char* MSG_EQUAL_ORDINATE = "Minimal and maximal values of the ordinate are equal";

// The most points one sweep may have: both curves of REAL_IMAG must fit.
constexpr int MAX_SWEEP_POINTS = MAX_PLOT_POINTS / 2;

// Builds the labels, the plotted values of `format` and the data range of
// state from n points (0-based arrays re, im, f). Returns an empty string,
// or the message that ends the editor. `format` values outside 0..4 are
// plotted as REAL_IMAG.
std::string set_up_plot(PlotState& state, int kind, int format, int n, const float* re,
                        const float* im, const float* f);

// The value plotted for one complex point.
float phase_degrees(float re, float im);
float magnitude_db(float re, float im);
