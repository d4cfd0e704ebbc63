// What the plotter's parameter store holds: the converter refuses what the
// plotter could not show, and the plotter's loader refuses the same.
#pragma once

namespace portfiles {

inline constexpr int PLOTTER_MAX_PORTS = 9;
inline constexpr int PLOTTER_MAX_POINTS = 10000;  // as many as the solver writes

}  // namespace portfiles
