#include "plot_files.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "key_codes.h"
#include "output_file_dialogue.h"
#include "plot_state.h"
#include "rect_hpgl_stream.h"
#include "screen_test_support.h"
#include "smith_hpgl_stream.h"
#include "stream_test_support.h"

namespace {

namespace fs = std::filesystem;

class PlotFiles : public ScreenInTempFolder {
protected:
    std::string expected_smith() {
        std::ostringstream out;
        write_smith_hpgl_stream(state, out);
        return out.str();
    }
    // Runs f until the key script ends inside a message; returns the
    // message line then shown.
    template <class F>
    std::string message_of(F f) {
        EXPECT_TRUE(waits_for_more_keys(f)) << "no message waited for a key";
        return message_row_text();
    }
};

TEST_F(PlotFiles, LowerCaseNameWritesUpperCaseFileAndClearsTheDialogue) {
    state = small_smith_state(1.0f);
    screen.text("abc");
    screen.key(keys::ENTER);
    write_smith_hpgl(state);
    ASSERT_TRUE(file_exists("ABC.PLT"));
    EXPECT_EQ(file_text("ABC.PLT"), expected_smith());
    EXPECT_EQ(screen.row_text(1).substr(76), std::string(4, ' '));
    for (int row = 26; row <= 29; ++row) EXPECT_EQ(screen.row_text(row), std::string(80, ' '));
    EXPECT_EQ(screen.pending_keys(), 0u);
}

TEST_F(PlotFiles, DialogueShowsCaptionAndPrompt) {
    state = two_curve_rect_state();
    screen.text("r1");
    // The script ends inside the name entry.
    ASSERT_TRUE(waits_for_more_keys([&] { write_rect_hpgl(state); }));
    EXPECT_EQ(screen.text_at(1, 77, 2), "GL");
    EXPECT_EQ(screen.cell_color(1, 77), 15);
    EXPECT_EQ(screen.text_at(28, 1, 13), "File name? r1");
    EXPECT_EQ(screen.row_text(30), std::string(80, ' '));  // menu bar cleared
}

TEST_F(PlotFiles, WritingMessageStandsOnTheMessageLineWhileTheFileIsWritten) {
    const OutputFileName file{"W.PLT", ""};
    std::string shown;
    int color = 0;
    EXPECT_TRUE(write_text_file(file, {"Writing it ", "no open ", "no write "},
                                [&](std::ostream& out) {
                                    shown = message_row_text();
                                    color = screen.cell_color(29, 1);
                                    return static_cast<bool>(out << "x");
                                }));
    EXPECT_EQ(shown, "Writing it W.PLT" + std::string(64, ' '));
    EXPECT_EQ(color, 15);
    EXPECT_EQ(file_text("W.PLT"), "x");
}

TEST_F(PlotFiles, OverwriteIsAskedAndNoReturnsToThePrompt) {
    state = two_curve_rect_state();
    { std::ofstream("old.plt") << "keep"; }
    screen.text("OLD");
    screen.key(keys::ENTER);
    screen.key('n');  // keep old.plt
    screen.text("new");
    screen.key(keys::ENTER);
    write_rect_hpgl(state);
    EXPECT_EQ(file_text("old.plt"), "keep");
    EXPECT_FALSE(file_exists("OLD.PLT") && !fs::equivalent(folder / "OLD.PLT", folder / "old.plt"));
    std::ostringstream expected;
    write_rect_hpgl_stream(state, expected);
    EXPECT_EQ(file_text("NEW.PLT"), expected.str());
}

TEST_F(PlotFiles, OverwriteQuestionNamesTheFileAndYesReplacesIt) {
    state = small_smith_state(-1.0f);
    { std::ofstream("CHART.PLT") << "old contents that are longer than nothing"; }
    screen.text("chart");
    screen.key(keys::ENTER);
    ASSERT_TRUE(waits_for_more_keys([&] { write_smith_hpgl(state); }));
    EXPECT_EQ(message_row_text().substr(0, 43), "File CHART.PLT already exists. Overwrite (y");
    screen.text("chart");
    screen.key(keys::ENTER);
    screen.key('y');
    write_smith_hpgl(state);
    EXPECT_EQ(file_text("CHART.PLT"), expected_smith());
}

TEST_F(PlotFiles, EscLeavesWithoutAFileAndEmptyNameAsksAgain) {
    state = small_smith_state(1.0f);
    screen.key(keys::ENTER);  // nothing typed: asked again
    screen.key(keys::ESC);
    write_smith_hpgl(state);
    EXPECT_TRUE(fs::is_empty(folder));
    EXPECT_EQ(screen.tones(), (std::vector<Tone>{{1000, 50}}));
}

TEST_F(PlotFiles, FullDiskIsReportedAndThePlotterCarriesOn) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    state = small_smith_state(1.0f);
    fs::create_symlink("/dev/full", folder / "FULL.PLT");
    screen.text("full");
    screen.key(keys::ENTER);
    EXPECT_EQ(message_of([&] { write_smith_hpgl(state); }),
              "Error writing GL file FULL.PLT!" + std::string(49, ' '));
    // With a key for the message the writer returns to its caller.
    screen.text("full");
    screen.key(keys::ENTER);
    screen.key(' ');
    write_smith_hpgl(state);
    EXPECT_EQ(screen.pending_keys(), 0u);
    EXPECT_EQ(message_row_text(), std::string(80, ' '));
}

TEST_F(PlotFiles, FileThatCannotBeOpenedIsReported) {
    // A folder in the way of the file name cannot be opened for writing.
    state = two_curve_rect_state();
    fs::create_directory(folder / "RO.PLT");
    fs::create_directory(folder / "RT.RPT");
    screen.text("ro");
    screen.key(keys::ENTER);
    EXPECT_EQ(message_of([&] { write_rect_hpgl(state); }).substr(0, 28), "Cannot open GL file RO.PLT! ");
    screen.text("rt");
    screen.key(keys::ENTER);
    EXPECT_EQ(message_of([&] { write_table_report(state); }).substr(0, 31),
              "Cannot open table file RT.RPT! ");
}

TEST_F(PlotFiles, TableReportWritesThePrefixedTable) {
    state = one_curve_rect_state();
    state.x_label = "f [ Hz]";
    state.x_label.resize(LABEL_LENGTH, ' ');
    screen.text("tab");
    screen.key(keys::ENTER);
    write_table_report(state);
    const auto lines = split_lines(file_text("TAB.RPT"));
    ASSERT_EQ(lines.size(), 17u);
    EXPECT_EQ(lines[9].substr(19, 12), "\xB3    f [MHz]");
    EXPECT_EQ(state.x_prefix, 'M');
    EXPECT_EQ(screen.row_text(1).substr(75), std::string(5, ' '));
}

TEST_F(PlotFiles, TableWriteFailureIsReported) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    state = one_curve_rect_state();
    fs::create_symlink("/dev/full", folder / "T.RPT");
    screen.text("t");
    screen.key(keys::ENTER);
    EXPECT_EQ(message_of([&] { write_table_report(state); }).substr(0, 36),
              "Error writing table to file T.RPT!  ");
}

}  // namespace
