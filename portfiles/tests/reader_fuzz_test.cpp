// Thousands of damaged Touchstone and parameter files: the readers give a
// sound result or a diagnostic with a line for each, never anything else.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <sstream>

#include "damaged_text.h"
#include "network_parameter_reader.h"
#include "network_parameter_writer.h"
#include "touchstone.h"

namespace portfiles {
namespace {

// Pieces of both formats.
const testing::Damage DAMAGE{{"\n", "\r\n", " ", "!", "#", "[", "]", "1e999", "NaN", "-", ".", "E",
                              "9", "0", ",", "[End]\n", "[Network Data]\n", "# GHz Z DB R 0\n"},
                             60,
                             200};

std::string mutate(const std::string& text, std::mt19937& random) {
    return testing::damaged(text, DAMAGE, random);
}

TouchstoneNetwork network(int ports, std::vector<double> reference) {
    TouchstoneNetwork n;
    n.kind = ports % 2 ? ParameterKind::Z : ParameterKind::S;
    n.reference = std::move(reference);
    n.sweep.port_count = ports;
    for (int k = 0; k < 3; ++k) {
        std::complex<double>* m = n.sweep.add_point(1e6 * (k + 1));
        for (int i = 0; i < ports * ports; ++i) m[i] = {0.1 * i - k, 0.01 * k};
    }
    return n;
}

void expect_sound(const PortSweep& sweep, const std::string& text) {
    ASSERT_GE(sweep.port_count, 1) << text;
    ASSERT_EQ(sweep.values.size(), sweep.points() * sweep.matrix_size()) << text;
    for (double f : sweep.frequencies) ASSERT_TRUE(std::isfinite(f) && f >= 0) << text;
    for (const auto& v : sweep.values) ASSERT_TRUE(std::isfinite(v.real()) && std::isfinite(v.imag())) << text;
}

TEST(ReaderFuzz, DamagedTouchstoneFilesGiveAResultOrALine) {
    std::vector<std::pair<std::string, std::string>> sources;
    for (auto [ports, reference] : {std::pair{2, std::vector<double>{50, 50}}, std::pair{5, std::vector<double>(5, 75)},
                                    std::pair{3, std::vector<double>{50, 75, 100}}}) {
        std::ostringstream text;
        write_touchstone(text, network(ports, reference), {"source"});
        sources.emplace_back("f.s" + std::to_string(ports) + "p", text.str() + (ports == 2 ? "1 2 0.5 30 0.4\n" : ""));
    }
    std::mt19937 random(11u);
    int read = 0;
    for (int round = 0; round < 4000; ++round) {
        const auto& [name, source] = sources[round % sources.size()];
        const std::string text = mutate(source, random);
        std::istringstream in(text);
        const TouchstoneReading r = read_touchstone_stream(in, name);
        if (!r.ok) {
            ASSERT_GE(r.error.line, 1) << text;
            ASSERT_EQ(r.error.message().rfind(name + ":", 0), 0u);
            continue;
        }
        ++read;
        expect_sound(r.network.sweep, text);
        ASSERT_GE(r.network.sweep.points(), 1u) << text;
        ASSERT_EQ(r.network.reference.size(), static_cast<std::size_t>(r.network.sweep.port_count));
        for (double z : r.network.reference) ASSERT_GT(z, 0) << text;
        for (std::size_t k = 1; k < r.network.sweep.points(); ++k)
            ASSERT_GT(r.network.sweep.frequencies[k], r.network.sweep.frequencies[k - 1]) << text;
    }
    EXPECT_GT(read, 200);  // harmless damage exercises the sound path too
}

TEST(ReaderFuzz, DamagedParameterFilesGiveAResultOrALine) {
    std::ostringstream source;
    write_parameter_blocks(source, network(3, {50, 50, 50}).sweep);
    std::mt19937 random(12u);
    int read = 0;
    for (int round = 0; round < 4000; ++round) {
        const std::string text = mutate(source.str(), random);
        std::istringstream in(text);
        const SweepReading r = read_parameter_stream(in, "f.spm");
        if (!r.ok) {
            ASSERT_GE(r.error.line, 1) << text;
            continue;
        }
        ++read;
        if (r.sweep.points() > 0) expect_sound(r.sweep, text);
    }
    EXPECT_GT(read, 200);
}

}  // namespace
}  // namespace portfiles
