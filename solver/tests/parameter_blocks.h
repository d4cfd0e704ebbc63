// The solver's parameter files as the tests look at them: one record per
// block, read by the parameter-file library (a file it refuses fails the
// test).
#pragma once

#include <gtest/gtest.h>

#include <complex>
#include <string>
#include <vector>

#include "network_parameter_reader.h"

namespace solver_test {

struct ParameterBlock {
    double frequency = 0;
    int ports = 0;
    std::vector<std::complex<double>> m;  // row-major ports x ports
    std::complex<double> at(int q, int p) const { return m[(q - 1) * ports + (p - 1)]; }
};

inline std::vector<ParameterBlock> read_parameter_file(const std::string& path) {
    const portfiles::SweepReading reading = portfiles::read_parameter_file(path, path);
    EXPECT_TRUE(reading.ok) << reading.error.message();
    std::vector<ParameterBlock> blocks;
    const portfiles::PortSweep& sweep = reading.sweep;
    for (std::size_t k = 0; k < sweep.points(); ++k) {
        ParameterBlock b{sweep.frequencies[k], sweep.port_count, {}};
        for (int q = 0; q < b.ports; ++q)
            for (int p = 0; p < b.ports; ++p) b.m.push_back(sweep.at(k, q, p));
        blocks.push_back(std::move(b));
    }
    return blocks;
}

}  // namespace solver_test
