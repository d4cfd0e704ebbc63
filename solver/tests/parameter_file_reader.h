// Reads the solver's parameter files back for the tests: one record per
// block, the lower triangle mirrored into a full matrix.
#pragma once

#include <complex>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace solver_test {

struct ParameterBlock {
    double frequency = 0;
    int ports = 0;
    std::vector<std::complex<double>> m;  // row-major ports x ports
    std::complex<double> at(int q, int p) const { return m[(q - 1) * ports + (p - 1)]; }
};

inline std::vector<ParameterBlock> read_parameter_file(const std::string& path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    std::vector<ParameterBlock> blocks;
    std::size_t i = 0;
    while (i < lines.size()) {
        ParameterBlock b;
        b.frequency = std::stod(lines[i]);
        i += 2;  // frequency line and the empty line after it
        std::vector<std::complex<double>> entries;
        while (i < lines.size() && !lines[i].empty()) {
            std::istringstream fields(lines[i++]);
            double re = 0, im = 0;
            fields >> re >> im;
            entries.emplace_back(re, im);
        }
        ++i;  // closing empty line
        int p = 0;
        while (p * (p + 1) / 2 < static_cast<int>(entries.size())) ++p;
        b.ports = p;
        b.m.assign(p * p, 0.0);
        std::size_t e = 0;
        for (int r = 0; r < p; ++r)
            for (int c = 0; c <= r; ++c) b.m[r * p + c] = b.m[c * p + r] = entries[e++];
        blocks.push_back(b);
    }
    return blocks;
}

}  // namespace solver_test
