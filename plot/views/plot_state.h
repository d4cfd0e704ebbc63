// The one record describing the diagram on the screen: plotted points,
// ranges, labels, scales and prefixes, divisions, title, which diagram is
// shown and the Smith chart's grid sign.
#pragma once

#include <array>
#include <string>

#include "frequency_spacing.h"

enum PlotFormat : int {
    SMITH_CHART = 0,
    REAL_IMAG = 1,
    MAGNITUDE = 2,
    PHASE = 3,
    MAGNITUDE_DB = 4,
};

enum ParameterKind : int {
    S_PARAMETERS = 1,
    Y_PARAMETERS = 2,
    Z_PARAMETERS = 3,
};

enum class DiagramKind { NONE, RECTANGULAR, SMITH };

constexpr int MAX_PLOT_POINTS = 20000;
constexpr int LABEL_LENGTH = 25;
constexpr int TITLE_LENGTH = 76;

struct PlotState {
    int curve_count = 1;
    int point_count = 0;
    // 1-based: index 0 is unused. Curve c occupies (c-1)*N+1 .. c*N.
    std::array<float, MAX_PLOT_POINTS + 1> plot_x{};
    std::array<float, MAX_PLOT_POINTS + 1> plot_y{};
    float x_min = 0, x_max = 0, y_min = 0, y_max = 0;
    float x_min_data = 0, x_max_data = 0, y_min_data = 0, y_max_data = 0;
    std::string x_label = std::string(LABEL_LENGTH, ' ');
    std::string y_label = std::string(LABEL_LENGTH, ' ');
    int x_label_len = 0, y_label_len = 0;
    int x_prefix_pos = 0, y_prefix_pos = 0;
    float x_scale = 1, y_scale = 1;
    char x_prefix = ' ', y_prefix = ' ';
    float x_div = 0, y_div = 0;
    int x_div_count = 0, y_div_count = 0;
    std::string title = std::string(TITLE_LENGTH, ' ');
    DiagramKind diagram_on_screen = DiagramKind::NONE;
    // True while the range and axis fields are a rectangular layout of the
    // range (adopt_layout); a new set-up or an edited limit clears it.
    bool laid_out = false;
    float smith_grid_sign = 1.0f;  // +1 impedance grid, -1 admittance grid
    // A logarithmic frequency axis in rectangular diagrams (mtlplot
    // --log-frequency, for the whole session); x_div and x_div_count are 0
    // then, the decades and their multiples being the grid.
    bool log_frequency = false;
    // How the plotted frequencies are spaced (set up with the points).
    FrequencySpacing spacing;
};

// The fields of one axis of a PlotState, by reference.
struct AxisFields {
    float& min;
    float& max;
    std::string& label;
    int& label_len;
    int& prefix_pos;
    float& scale;
    char& prefix;
    float& div;
    int& div_count;
};
AxisFields x_axis(PlotState& s);
AxisFields y_axis(PlotState& s);
