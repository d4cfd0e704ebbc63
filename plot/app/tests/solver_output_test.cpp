// The parameter menus on files written by the real solver: every example is
// solved in a scratch directory and its three parameter files are loaded.
// Built with the solver's program and the examples present; skipped (and
// saying so) otherwise.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "headless_screen.h"
#include "key_codes.h"
#include "parameter_data.h"
#include "parameter_menu.h"
#include "plot_state.h"
#include "scratch_folder.h"
#include "test_files.h"

namespace {

namespace fs = std::filesystem;

#if defined(MTLNET_PROGRAM) && defined(MTL_EXAMPLES_DIR)
struct FileShape {
    int blocks = 0;
    int entry_lines_of_first_block = 0;
    float first_frequency = 0;
    float first_re = 0;
};

// Counts the blocks of a parameter file directly from its lines.
FileShape shape_of(const fs::path& file) {
    FileShape shape;
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        double a = 0, b = 0;
        const int count = (fields >> a) ? ((fields >> b) ? 2 : 1) : 0;
        if (count == 1) {
            if (++shape.blocks == 1) shape.first_frequency = static_cast<float>(a);
        } else if (count == 2) {
            if (shape.blocks == 1) {
                if (shape.entry_lines_of_first_block == 0) shape.first_re = static_cast<float>(a);
                ++shape.entry_lines_of_first_block;
            }
        }
    }
    return shape;
}
#endif

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
            const FileShape shape = shape_of(file);
            if (shape.blocks < 2) continue;
            PlotSession session;
            HeadlessScreen screen;
            screen.extended(keys::F2);
            EXPECT_THROW(parameter_menu(session, kind, PlotEditorCall()), KeysExhausted);
            const ParameterKindState& state = session.kind(kind);
            ASSERT_TRUE(state.loaded) << files[kind - 1] << ": " << screen.row_text(29);
            EXPECT_EQ(state.port_count * (state.port_count + 1) / 2,
                      shape.entry_lines_of_first_block);
            EXPECT_EQ(state.steps + 1, std::min(shape.blocks, MAX_FREQUENCY_POINTS));
            EXPECT_FLOAT_EQ(state.start_frequency, shape.first_frequency);
            EXPECT_FLOAT_EQ(session.data->re[0][0][0], shape.first_re);
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
