#include <gtest/gtest.h>

#include "plot_setup.h"
#include "screen_fixture.h"

namespace {

// Counts what the editor's output keys call.
struct Calls : PlotEditorOutputs {
    int title = 0, memo = 0, table = 0, rect_gl = 0, smith_gl = 0, bmp = 0, bmp_inverted = 0;
    void change_title(PlotState&) override { ++title; }
    void store_recall() override { ++memo; }
    void write_table_report(PlotState&) override { ++table; }
    void write_rect_hpgl(const PlotState&) override { ++rect_gl; }
    void write_smith_hpgl(const PlotState&) override { ++smith_gl; }
    void write_bitmap_file(bool inverted) override { ++(inverted ? bmp_inverted : bmp); }
};

class PlotEditorTest : public ScreenTest {
protected:
    PlotEditorTest() { outputs = &calls; }

    // Expects the editor to stop at a message and returns that line.
    std::string failure_of(const ElementSweep& w, int format) {
        EXPECT_FALSE(edit(w, S_PARAMETERS, format)) << "no message shown";
        return row(29);
    }

    ElementSweep s11 = coupled_microstrip_s(1, 1);
    Calls calls;
};

TEST_F(PlotEditorTest, EntryAndSetUpFailuresShowTheirMessageAndLeave) {
    ElementSweep one = linear_sweep({0.5f}, {0.1f}, 1e9f, 1e9f);
    EXPECT_EQ(failure_of(one, REAL_IMAG), std::string(MSG_TOO_FEW_POINTS) + "!");
    ElementSweep same_f = linear_sweep({0.5f, 0.4f}, {0.1f, 0.1f}, 1e9f, 1e9f);
    EXPECT_EQ(failure_of(same_f, SMITH_CHART), std::string(MSG_EQUAL_FREQUENCIES) + "!");
    EXPECT_EQ(failure_of(same_f, MAGNITUDE), std::string(MSG_EQUAL_ABSCISSA) + "!");
    ElementSweep zero = linear_sweep({0, 0, 0}, {0, 0, 0}, 1e9f, 2e9f);
    EXPECT_EQ(failure_of(zero, MAGNITUDE_DB), std::string(MSG_EQUAL_ORDINATE) + "!");

    // The key that acknowledges the message ends the editor.
    screen.key('x');
    int format = MAGNITUDE;
    EXPECT_TRUE(edit(zero, S_PARAMETERS, format));
    EXPECT_EQ(row(1).find("EDIT PLOT"), std::string::npos);
    EXPECT_EQ(row(29), "");
}

TEST_F(PlotEditorTest, TwoPointsPlotAndTheTitleStartsBlank) {
    state.title = "left over from an earlier visit";
    fn(10);
    int format = MAGNITUDE;
    ASSERT_TRUE(edit(linear_sweep({0.5f, 0.25f}, {0, 0}, 1e9f, 2e9f), S_PARAMETERS, format));
    EXPECT_EQ(state.title, std::string(TITLE_LENGTH, ' '));
    EXPECT_EQ(state.diagram_on_screen, DiagramKind::RECTANGULAR);
}

TEST_F(PlotEditorTest, ShowsItsCaptionAndMenu) {
    int format = REAL_IMAG;
    EXPECT_FALSE(edit(s11, S_PARAMETERS, format));
    EXPECT_EQ(screen.text_at(1, 41, 9), "EDIT PLOT");
    EXPECT_EQ(screen.cell_color(1, 41), 15);
    EXPECT_NE(row(30).find("Scale"), std::string::npos);
    EXPECT_NE(row(30).find("Table"), std::string::npos);
}

TEST_F(PlotEditorTest, KeysWhoseConditionFailsOnlyBeep) {
    // Smith chart: F2 and F7 do not apply; F1 never does.
    fn(2);
    fn(7);
    fn(1);
    screen.extended(keys::PGDN);
    fn(10);
    int format = SMITH_CHART;
    ASSERT_TRUE(edit(s11, S_PARAMETERS, format));
    EXPECT_EQ(error_beeps(), 4);
    EXPECT_EQ(calls.table, 0);
    EXPECT_EQ(row(1).find("CHANGE SCALE"), std::string::npos);

    // Rectangular diagram: Insert does not switch the grid.
    screen.clear_tones();
    screen.extended(keys::INSERT);
    fn(1);
    screen.key(keys::ESC);
    format = MAGNITUDE;
    ASSERT_TRUE(edit(s11, S_PARAMETERS, format));
    EXPECT_EQ(error_beeps(), 2);
    EXPECT_EQ(state.smith_grid_sign, 1.0f);
}

TEST_F(PlotEditorTest, OutputKeysCallTheirFunctions) {
    fn(4);
    fn(6);
    fn(7);
    fn(8);
    fn(9);
    screen.extended(keys::SHIFT_F9);
    screen.key(keys::EXTENDED_E0);
    screen.key(keys::CTRL_F9);
    screen.extended(keys::ALT_F9);
    fn(10);
    int format = PHASE;
    ASSERT_TRUE(edit(s11, S_PARAMETERS, format));
    EXPECT_EQ(calls.title, 1);
    EXPECT_EQ(calls.memo, 1);
    EXPECT_EQ(calls.table, 1);
    EXPECT_EQ(calls.rect_gl, 1);
    EXPECT_EQ(calls.smith_gl, 0);
    EXPECT_EQ(calls.bmp, 1);
    EXPECT_EQ(calls.bmp_inverted, 3);
    EXPECT_EQ(error_beeps(), 0);

    fn(8);
    fn(10);
    format = SMITH_CHART;
    ASSERT_TRUE(edit(s11, S_PARAMETERS, format));
    EXPECT_EQ(calls.smith_gl, 1);
    EXPECT_EQ(calls.rect_gl, 1);
}

TEST_F(PlotEditorTest, OutputKeysWithoutInstalledFunctionsReturnAtOnce) {
    outputs = &no_outputs;
    for (int n : {4, 6, 7, 8, 9}) fn(n);
    fn(10);
    int format = MAGNITUDE_DB;
    EXPECT_TRUE(edit(s11, S_PARAMETERS, format));
    EXPECT_EQ(error_beeps(), 0);
}

TEST_F(PlotEditorTest, TheChangedScaleSurvivesOutputButNotAFormatMenuLeftWithEsc) {
    // Frequencies 50 MHz to 3 GHz: the automatic axis runs from 0 to 3 GHz.
    fn(2);
    fn(4);  // x maximum
    screen.text("2");
    fn(10);  // ends the entry and the scale screen
    for (int n : {4, 6, 7, 8, 9}) fn(n);
    int format = REAL_IMAG;
    ASSERT_FALSE(edit(s11, S_PARAMETERS, format));
    EXPECT_FLOAT_EQ(state.x_max, 2e9f);
    EXPECT_EQ(calls.table, 1);

    state = PlotState{};
    fn(2);
    fn(4);
    screen.text("2");
    fn(10);
    fn(3);
    screen.key(keys::ESC);  // format menu left without a choice
    ASSERT_FALSE(edit(s11, S_PARAMETERS, format));
    EXPECT_EQ(format, REAL_IMAG);
    EXPECT_FLOAT_EQ(state.x_max, 3e9f);
    EXPECT_FLOAT_EQ(state.x_min, 0.0f);
    EXPECT_FLOAT_EQ(state.x_min_data, 5e7f);
}

TEST_F(PlotEditorTest, AnOrdinaryKeyBeepsAndRestoresTheDataRange) {
    fn(2);
    fn(4);
    screen.text("2");
    fn(10);
    screen.key('q');
    int format = MAGNITUDE;
    ASSERT_FALSE(edit(s11, S_PARAMETERS, format));
    EXPECT_EQ(error_beeps(), 1);
    EXPECT_FLOAT_EQ(state.x_max, 3e9f);
}

TEST_F(PlotEditorTest, FormatMenuSwitchesBetweenTheDiagrams) {
    fn(3);
    fn(2);  // Smith chart
    int format = MAGNITUDE;
    ASSERT_FALSE(edit(s11, S_PARAMETERS, format));
    EXPECT_EQ(format, SMITH_CHART);
    EXPECT_EQ(state.diagram_on_screen, DiagramKind::SMITH);
    EXPECT_EQ(row(3), "Smith Chart");

    fn(3);
    fn(6);  // dB
    ASSERT_FALSE(edit(s11, S_PARAMETERS, format));
    EXPECT_EQ(format, MAGNITUDE_DB);
    EXPECT_EQ(state.diagram_on_screen, DiagramKind::RECTANGULAR);
    EXPECT_EQ(state.y_label.substr(0, 14), "20log(s) [ dB]");
}

TEST_F(PlotEditorTest, InsertSwitchesTheSmithGridForTheWholeRun) {
    screen.extended(keys::INSERT);
    fn(10);
    int format = SMITH_CHART;
    ASSERT_TRUE(edit(s11, S_PARAMETERS, format));
    EXPECT_EQ(state.smith_grid_sign, -1.0f);

    // Another element, another visit: still the admittance grid.
    ElementSweep s31 = coupled_microstrip_s(3, 1);
    ASSERT_FALSE(edit(s31, S_PARAMETERS, format));
    EXPECT_EQ(row(4), "admittance grid:");
    EXPECT_EQ(error_beeps(), 0);
}

TEST_F(PlotEditorTest, YAndZParametersUseTheirOwnFormatMenuAndUnits) {
    fn(3);
    fn(2);  // not offered for y and z
    int format = REAL_IMAG;
    ASSERT_FALSE(edit(s11, Z_PARAMETERS, format));
    EXPECT_EQ(format, REAL_IMAG);
    EXPECT_EQ(state.y_label.substr(0, 3), "z [");
    EXPECT_EQ(state.y_label.substr(4, 2), "\xEA]");
}

}  // namespace
