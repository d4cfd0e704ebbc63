// Thousands of damaged parameter files: the reader must give one of its
// answers for each, stay inside its tables, and load only sound values.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <sstream>

#include "damaged_text.h"
#include "parameter_data.h"
#include "scratch_folder.h"
#include "sweep_loading.h"
#include "test_files.h"

namespace {

std::string mutate(const std::string& text, std::mt19937& random) {
    static const portfiles::testing::Damage damage{
        {"\n", "\r\n", " ", "\n\n", "1.0E+999", "NaN", "-", ".", "E", "9", "0", ",", "/", "\t",
         "1.0D+38", "\x1a"},
        40,
        300,
        true};
    return portfiles::testing::damaged(text, damage, random);
}

TEST(ParameterFileFuzzTest, DamagedFilesNeverBreakTheReader) {
    ScratchFolder dir;
    std::mt19937 random(20240611u);
    const std::string sources[] = {
        parameter_file_text(MadeFile{1, 3, 1.0e6f, 1.0e6f}),
        parameter_file_text(MadeFile{2, 4, 1.0e8f, 2.5e7f}),
        parameter_file_text(MadeFile{4, 2, 0.0f, 1.0e9f}),
        parameter_file_text(MadeFile{9, 2, 1.0e3f, 1.0e3f, false}),
    };
    int loaded = 0;
    portfiles::PortSweep sweep;
    for (int round = 0; round < 3000; ++round) {
        const std::string text = mutate(sources[round % std::size(sources)], random);
        // In memory: thousands of files on a busy disk would take long.
        std::istringstream in(text);
        const ParameterFileResult result =
            text.empty() ? read_sweep_file(dir.write("fuzz.dat", text), sweep) : read_sweep_stream(in, sweep);
        if (result.status != ParameterFileStatus::LOADED) continue;
        ++loaded;
        ASSERT_GE(result.port_count, 1);
        ASSERT_LE(result.port_count, MAX_PORTS);
        ASSERT_GE(result.steps, 1);
        ASSERT_LT(result.steps, MAX_FREQUENCY_POINTS);
        ASSERT_TRUE(std::isfinite(result.start_frequency));
        ASSERT_TRUE(std::isfinite(result.stop_frequency));
        ASSERT_EQ(sweep.port_count, result.port_count);
        ASSERT_EQ(static_cast<int>(sweep.points()), result.steps + 1);
        for (std::size_t k = 0; k < sweep.points(); ++k) {
            // Finite also as the plot's 32-bit reals.
            ASSERT_TRUE(std::isfinite(static_cast<float>(sweep.frequencies[k]))) << text;
            for (int r = 0; r < result.port_count; ++r)
                for (int c = 0; c < result.port_count; ++c)
                    ASSERT_TRUE(std::isfinite(static_cast<float>(sweep.at(k, r, c).real())) &&
                                std::isfinite(static_cast<float>(sweep.at(k, r, c).imag())));
        }
    }
    // Some damage is harmless (a changed digit): the sound path is exercised too.
    EXPECT_GT(loaded, 100);
}

}  // namespace
