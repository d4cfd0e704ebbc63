// Test data standing in for solver output: the S-parameters of a symmetric
// lossy coupled pair of lines between 50-ohm ports, in closed form from its
// even and odd modes. Ports: 1 and 2 are the near and far end of the first
// line, 3 and 4 those of the second.
#pragma once

#include <vector>

struct ElementSweep {
    std::vector<float> re, im, f;
    int n() const { return static_cast<int>(f.size()); }
};

// Element s(row, col) for row in 1..4 and col = 1, at `points` frequencies
// evenly spaced from f_start to f_stop.
ElementSweep coupled_line_s(int row, int points = 31, double f_start = 0.1e9,
                            double f_stop = 3.1e9);
