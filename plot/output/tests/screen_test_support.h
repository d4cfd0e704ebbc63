// A headless screen in a fresh working directory, with a plot state and a
// file chooser position for the writers.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "headless_screen.h"
#include "plot_state.h"
#include "scratch_folder.h"

// Runs f on the scripted keys; true when f was still waiting for a key when
// the script ran out (a question, a message or a menu left open).
template <class F>
bool waits_for_more_keys(F f) {
    try {
        f();
    } catch (const KeysExhausted&) {
        return true;
    }
    return false;
}

class ScreenInTempFolder : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::string file_text(const std::string& name) const;
    bool file_exists(const std::string& name) const;
    std::string message_row_text() const { return screen.row_text(29); }

    HeadlessScreen screen;
    PlotState state;  // the plot editor's state
    int chooser_position = 1;
    std::filesystem::path folder;

private:
    std::optional<ScratchFolder> scratch_;
};
