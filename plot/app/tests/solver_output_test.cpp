// The parameter menus on files written by the real solver: every example is
// solved in a scratch directory and its three parameter files are loaded.
// Built with the solver's program and the examples present; skipped (and
// saying so) otherwise.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "headless_screen.h"
#include "key_codes.h"
#include "network_parameter_reader.h"
#include "parameter_data.h"
#include "parameter_menu.h"
#include "plot_state.h"
#include "scratch_folder.h"
#include "test_files.h"

namespace {

namespace fs = std::filesystem;

TEST(SolverOutputTest, ParameterFilesOfEveryExampleLoad) {
#if defined(MTLNET_PROGRAM) && defined(MTL_EXAMPLES_DIR)
    int solved = 0;
    for (const auto& example : fs::directory_iterator(MTL_EXAMPLES_DIR)) {
        if (!fs::exists(example.path() / "NETINP.DAT")) continue;
        SCOPED_TRACE(example.path().filename().string());
        ScratchFolder dir;
        for (const char* input : {"CONFIG.DAT", "FRQINP.DAT", "LININP.DAT", "NETINP.DAT"})
            fs::copy_file(example.path() / input, dir.path() / input);
        const std::string command =
            "cd '" + dir.path().string() + "' && '" MTLNET_PROGRAM "' > /dev/null 2>&1";
        ASSERT_EQ(std::system(command.c_str()), 0);
        const char* files[] = {"SPAR.DAT", "YPAR.DAT", "ZPAR.DAT"};
        for (int kind = S_PARAMETERS; kind <= Z_PARAMETERS; ++kind) {
            const fs::path file = dir.path() / files[kind - 1];
            if (!fs::exists(file)) continue;  // a run that ended before the sweep
            // What the plotter loads is what the parameter-file library reads.
            const portfiles::SweepReading reading = portfiles::read_parameter_file(file, files[kind - 1]);
            ASSERT_TRUE(reading.ok) << reading.error.message();
            const portfiles::PortSweep& sweep = reading.sweep;
            if (sweep.points() < 2) continue;
            PlotSession session;
            HeadlessScreen screen;
            screen.extended(keys::F2);
            EXPECT_THROW(parameter_menu(session, kind, PlotEditorCall()), KeysExhausted);
            const ParameterKindState& state = session.kind(kind);
            ASSERT_TRUE(state.loaded) << files[kind - 1] << ": " << screen.row_text(29);
            ASSERT_EQ(state.port_count, sweep.port_count);
            const int points = std::min<int>(sweep.points(), MAX_FREQUENCY_POINTS);
            ASSERT_EQ(state.steps + 1, points);
            EXPECT_FLOAT_EQ(state.start_frequency, static_cast<float>(sweep.frequencies[0]));
            const portfiles::PortSweep& loaded = session.sweep;
            ASSERT_EQ(static_cast<int>(loaded.points()), points);
            for (std::size_t k = 0; k < loaded.points(); ++k) {
                EXPECT_EQ(static_cast<float>(loaded.frequencies[k]), static_cast<float>(sweep.frequencies[k]));
                for (int q = 0; q < sweep.port_count; ++q)
                    for (int p = 0; p < sweep.port_count; ++p) {
                        EXPECT_EQ(static_cast<float>(loaded.at(k, q, p).real()),
                                  static_cast<float>(sweep.at(k, q, p).real()));
                        EXPECT_EQ(static_cast<float>(loaded.at(k, q, p).imag()),
                                  static_cast<float>(sweep.at(k, q, p).imag()));
                    }
            }
            EXPECT_EQ(screen.text_at(5, 65, 10), "Ports     ");
            ++solved;
        }
    }
    EXPECT_GT(solved, 0) << "mtlnet wrote no parameter file with two or more blocks";
#else
    GTEST_SKIP() << "mtlnet or examples/ not in this tree: only hand-made parameter files tested";
#endif
}

}  // namespace
