// The contract between the programs: what the parameter-file writer writes,
// the plotter's loader and the library's reader both read, with the same
// numbers.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <random>
#include <sstream>

#include "network_parameter_reader.h"
#include "network_parameter_writer.h"
#include "sweep_loading.h"

namespace {

portfiles::PortSweep made_sweep(int ports, int points, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> value(-2.0, 2.0);
    std::uniform_int_distribution<int> exponent(-30, 30);
    portfiles::PortSweep sweep;
    sweep.port_count = ports;
    for (int k = 0; k < points; ++k) {
        std::complex<double>* m = sweep.add_point(1e7 + 2.5e6 * k);
        for (int q = 0; q < ports; ++q)
            for (int p = 0; p <= q; ++p)
                m[q + p * ports] = m[p + q * ports] = {value(random) * std::pow(10.0, exponent(random)),
                                                       value(random)};
    }
    // Values at the edges of the format: zero, a three-digit exponent.
    sweep.at(0, 0, 0) = {0.0, -1e-120};
    return sweep;
}

TEST(ParameterFileContract, PlotterAndLibraryReadWhatTheWriterWrites) {
    portfiles::PortSweep loaded;
    for (int ports = 1; ports <= 9; ++ports) {
        SCOPED_TRACE(ports);
        const portfiles::PortSweep written = made_sweep(ports, 5, 100 + ports);
        std::ostringstream text;
        portfiles::write_parameter_blocks(text, written);

        std::istringstream in(text.str());
        const portfiles::SweepReading library = portfiles::read_parameter_stream(in, "made.spm");
        ASSERT_TRUE(library.ok) << library.error.message();

        std::istringstream file(text.str());
        const ParameterFileResult plotter = read_sweep_stream(file, loaded);
        ASSERT_EQ(plotter.status, ParameterFileStatus::LOADED) << plotter.diagnostic;
        ASSERT_EQ(plotter.port_count, ports);
        ASSERT_EQ(plotter.steps + 1, 5);

        const portfiles::PortSweep& read = library.sweep;
        ASSERT_EQ(read.port_count, ports);
        for (std::size_t k = 0; k < read.points(); ++k) {
            EXPECT_EQ(static_cast<float>(loaded.frequencies[k]), static_cast<float>(read.frequencies[k]));
            for (int q = 0; q < ports; ++q)
                for (int p = 0; p < ports; ++p) {
                    const std::complex<double> v = read.at(k, q, p);
                    EXPECT_EQ(static_cast<float>(loaded.at(k, q, p).real()), static_cast<float>(v.real()));
                    EXPECT_EQ(static_cast<float>(loaded.at(k, q, p).imag()), static_cast<float>(v.imag()));
                    EXPECT_NEAR(v.real(), written.at(k, q, p).real(), 6e-8 * std::abs(written.at(k, q, p).real()));
                }
        }
    }
}

}  // namespace
