// Test data from the solver: the S-parameters of examples/coupled_microstrip
// as mtlnet wrote them (data/coupled_microstrip_spar.dat; data/README.md
// tells how the file was made).
//
// Ports: 1 and 2 are the near ends of the driven conductor and of its
// neighbour, 3 and 4 their far ends. So s11 is the input reflection, s21 the
// near-end crosstalk, s31 the through transmission and s41 the far-end
// crosstalk.
#pragma once

#include <vector>

struct ElementSweep {
    std::vector<float> re, im, f;
    int n() const { return static_cast<int>(f.size()); }
};

// Element s(row, column) of the four-port at all 60 frequencies, 50 MHz to
// 3 GHz. The file holds the lower triangle; s(row, column) with row < column
// is its mirror.
ElementSweep coupled_microstrip_s(int row, int column);
