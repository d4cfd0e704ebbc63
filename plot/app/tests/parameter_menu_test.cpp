#include "parameter_menu.h"

#include <gtest/gtest.h>

#include "edit_plot_placeholder.h"
#include "headless_screen.h"
#include "key_codes.h"
#include "parameter_data.h"
#include "plot_state.h"
#include "scratch_folder.h"
#include "test_files.h"

namespace {

constexpr int MESSAGE_ROW = 29;
constexpr int SIDE_COLUMN = 65;
const Tone ERROR_TONE{1000, 50};

class ParameterMenuTest : public ::testing::Test {
protected:
    void SetUp() override { edit = edit_plot_placeholder(call); }

    void press(int scan_code) { screen.extended(scan_code); }
    // Runs the menu until the key script runs out, leaving it open.
    void run_menu(int kind) { EXPECT_THROW(parameter_menu(session, kind, edit), KeysExhausted); }
    std::string side(int row) const { return screen.text_at(row, SIDE_COLUMN, 16); }
    std::string message() const { return screen.text_at(MESSAGE_ROW, 1, 80); }
    void write(const std::string& name, const MadeFile& made) {
        dir.write(name, parameter_file_text(made));
    }
    // The message a key sequence ends on (the menu waits for its key).
    std::string message_after(int kind, std::initializer_list<int> scan_codes) {
        for (int code : scan_codes) press(code);
        run_menu(kind);
        const std::string text = message();
        return text.substr(0, text.find_last_not_of(' ') + 1);
    }

    ScratchFolder dir;
    HeadlessScreen screen;
    PlotSession session;
    EditPlotCall call;
    PlotEditorCall edit;
};

TEST_F(ParameterMenuTest, SidePanelForASweepInMegahertz) {
    write("SPAR.DAT", MadeFile{2, 10, 1.0e6f, 1.0e6f});  // found whatever its case
    press(keys::F2);
    run_menu(S_PARAMETERS);
    EXPECT_EQ(screen.text_at(1, 20, 12), "s PARAMETERS");
    EXPECT_EQ(side(5), "Ports      2    ");
    EXPECT_EQ(side(8), "fstart=  1.0 MHz");
    EXPECT_EQ(side(9), "fstop=  10.0 MHz");
    EXPECT_EQ(side(10), "nf    9         ");
    EXPECT_EQ(side(15), "Real & Imaginary");
    EXPECT_EQ(side(16), "s( 1, 1)        ");
    EXPECT_EQ(screen.cell_color(8, SIDE_COLUMN), 7);
    const std::string bar = screen.row_text(30);
    for (const char* label : {"Help", "PltOut", "PltSav", "Index", "Format", "Plot", "End"})
        EXPECT_NE(bar.find(label), std::string::npos) << label;
    EXPECT_TRUE(session.kind(S_PARAMETERS).loaded);
}

TEST_F(ParameterMenuTest, SidePanelForASweepInGigahertzAndFromZero) {
    write("ypar.dat", MadeFile{1, 3, 1.5e9f, 0.5e9f});
    press(keys::F2);
    run_menu(Y_PARAMETERS);
    EXPECT_EQ(side(8), "fstart=  1.5 GHz");
    EXPECT_EQ(side(9), "fstop=   2.5 GHz");
    EXPECT_EQ(side(10), "nf    2         ");
    EXPECT_EQ(side(16), "y( 1, 1)        ");

    write("ZPAR.dat", MadeFile{1, 2, 0.0f, 1.0e3f});
    press(keys::F2);
    run_menu(Z_PARAMETERS);
    EXPECT_EQ(side(8), "fstart=  0.0  Hz");
    EXPECT_EQ(side(9), "fstop=   1.0 kHz");
}

TEST_F(ParameterMenuTest, EveryLoadingFailureHasItsMessageAndLeavesTheKindUnloaded) {
    EXPECT_EQ(message_after(S_PARAMETERS, {keys::F2}), "Cannot open file spar.dat!");
    EXPECT_FALSE(session.kind(S_PARAMETERS).loaded);

    write("spar.dat", MadeFile{10, 2});
    EXPECT_EQ(message_after(S_PARAMETERS, {keys::F2}), "Number of ports exceeds allowed 9!");

    write("spar.dat", MadeFile{1, 1});
    EXPECT_EQ(message_after(S_PARAMETERS, {keys::F2}), "Nothing to plot!");

    std::string cut = parameter_file_text(MadeFile{3, 3});
    cut.resize(cut.size() - 20);
    dir.write("spar.dat", cut);
    EXPECT_EQ(message_after(S_PARAMETERS, {keys::F2}), "Error reading file spar.dat!");
    EXPECT_FALSE(session.kind(S_PARAMETERS).loaded);
    EXPECT_EQ(side(5), std::string(16, ' '));

    dir.write("spar.dat", " 1.0E+06\n\n 1 0\n 1 0\n 1 0\n 1 0\n\n 2.0E+06\n\n");
    EXPECT_EQ(message_after(S_PARAMETERS, {keys::F2}), "Error reading file spar.dat!");
}

TEST_F(ParameterMenuTest, IndexAndPlotNeedALoadedFile) {
    EXPECT_EQ(message_after(Z_PARAMETERS, {keys::F6}),
              "Cannot select indices before a file is selected!");
    EXPECT_EQ(message_after(Z_PARAMETERS, {keys::F9}), "Cannot plot before a file is selected!");
    EXPECT_EQ(call.calls, 0);
}

TEST_F(ParameterMenuTest, PlotHandsTheChosenSweepToThePlotEditor) {
    write("zpar.dat", MadeFile{3, 4, 1.0e6f, 2.0e6f});
    press(keys::F2);
    press(keys::F6);
    press(keys::END);  // first index 3
    press(keys::F5);
    press(keys::DOWN);  // second index 2
    screen.key(keys::ENTER);
    press(keys::F8);
    press(keys::F4);  // magnitude
    press(keys::F9);
    press(keys::F10);  // leaves the stand-in editor
    run_menu(Z_PARAMETERS);
        ASSERT_EQ(call.calls, 1);
    EXPECT_EQ(call.kind, Z_PARAMETERS);
    EXPECT_EQ(call.point_count, 4);
    EXPECT_EQ(call.format, MAGNITUDE);
    for (int k = 1; k <= 4; ++k) {
        EXPECT_NEAR(call.re[k - 1], made_re(k, 3, 2), 1e-6);
        EXPECT_NEAR(call.im[k - 1], made_im(k, 3, 2), 1e-6);
        EXPECT_FLOAT_EQ(call.f[k - 1], 1.0e6f + (k - 1) * 2.0e6f);
    }
    EXPECT_EQ(side(15), "Magnitude       ");
    EXPECT_EQ(side(16), "z( 3, 2)        ");
    EXPECT_EQ(screen.text_at(1, 20, 12), "z PARAMETERS");
}

TEST_F(ParameterMenuTest, IndicesBeyondASmallerFileFallBackOnPlot) {
    write("spar.dat", MadeFile{3, 2});
    write("small.spm", MadeFile{2, 3});
    press(keys::F2);
    press(keys::F6);
    press(keys::END);  // 3
    press(keys::F5);
    press(keys::DOWN);  // 2
    screen.key(keys::ENTER);
    press(keys::F3);
    screen.key(keys::ENTER);  // the only saved file
    press(keys::F9);
    press(keys::F10);
    run_menu(S_PARAMETERS);
    const ParameterKindState& state = session.kind(S_PARAMETERS);
    EXPECT_EQ(state.i, 1);
    EXPECT_EQ(state.j, 2);
    EXPECT_EQ(state.file_name, "small.spm           ");
    ASSERT_EQ(call.calls, 1);
    EXPECT_EQ(call.point_count, 3);
    EXPECT_NEAR(call.re[0], made_re(1, 2, 1), 1e-6);
}

TEST_F(ParameterMenuTest, EscThenNoKeepsTheMenuWithItsDataAndYesLeaves) {
    write("spar.dat", MadeFile{2, 3});
    press(keys::F2);
    screen.key(keys::ESC);
    screen.key('n');
    run_menu(S_PARAMETERS);
    EXPECT_EQ(side(5), "Ports      2    ");

    screen.key(keys::ESC);
    screen.key('y');
    parameter_menu(session, S_PARAMETERS, edit);
    EXPECT_EQ(screen.text_at(1, 20, 12), std::string(12, ' '));
    EXPECT_EQ(side(5), std::string(16, ' '));
}

TEST_F(ParameterMenuTest, PltSavWithoutSavedFilesUnloadsTheKind) {
    write("spar.dat", MadeFile{2, 3});
    EXPECT_EQ(message_after(S_PARAMETERS, {keys::F2, keys::F3}), "No matching files!");
    EXPECT_FALSE(session.kind(S_PARAMETERS).loaded);
    screen.key('x');  // the message's key; then the menu redraws without status lines
    EXPECT_THROW(parameter_menu(session, S_PARAMETERS, edit), KeysExhausted);
    EXPECT_EQ(side(5), std::string(16, ' '));
}

TEST_F(ParameterMenuTest, EachEntryStartsUnloadedButKeepsTheChoices) {
    write("spar.dat", MadeFile{2, 3});
    press(keys::F2);
    press(keys::F8);
    press(keys::F2);  // Smith chart
    press(keys::F10);
    parameter_menu(session, S_PARAMETERS, edit);
    EXPECT_EQ(session.kind(S_PARAMETERS).format, SMITH_CHART);
    EXPECT_EQ(session.kind(Y_PARAMETERS).format, REAL_IMAG);

    EXPECT_EQ(message_after(S_PARAMETERS, {keys::F9}), "Cannot plot before a file is selected!");
}

TEST_F(ParameterMenuTest, KeysWithoutAnActionBeep) {
    press(keys::F1);
    press(keys::F4);
    screen.key('a');
    press(keys::F10);
    parameter_menu(session, Y_PARAMETERS, edit);
    EXPECT_EQ(screen.tones(), (std::vector<Tone>{ERROR_TONE, ERROR_TONE, ERROR_TONE}));
}

}  // namespace
