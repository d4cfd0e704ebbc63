// Common set-up of the tests that run the plot views on a headless screen.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "diagram_drawers.h"
#include "headless_screen.h"
#include "key_codes.h"
#include "plot_editor.h"
#include "plot_editor_outputs.h"
#include "plot_setup.h"
#include "plot_state.h"
#include "screen_surface.h"
#include "screen_toolkit.h"
#include "solver_output_data.h"

class ScreenTest : public ::testing::Test {
protected:

    // Runs a screen; false when it was still waiting for a key when the key
    // script ran out.
    template <class Screen>
    static bool runs_to_end(Screen&& screen) {
        try {
            screen();
            return true;
        } catch (const KeysExhausted&) {
            return false;
        }
    }

    bool edit(const ElementSweep& w, int kind, int& format) {
        return runs_to_end(
            [&] { edit_plot(state, *outputs, kind, w.n(), w.re.data(), w.im.data(), w.f.data(), format); });
    }

    // The text of a row without trailing blanks.
    std::string row(int r) const {
        std::string t = screen.row_text(r);
        return t.substr(0, t.find_last_not_of(' ') + 1);
    }

    int count_tones(int frequency, int duration) const {
        int n = 0;
        for (const Tone& t : screen.tones()) n += (t == Tone{frequency, duration});
        return n;
    }
    int error_beeps() const { return count_tones(1000, 50); }

    void fn(int n) { screen.extended(keys::function_key(n)); }

    HeadlessScreen screen;
    PlotState state;
    NoPlotOutputs no_outputs;
    PlotEditorOutputs* outputs = &no_outputs;  // what the editor's output keys call
};

// Tests of one diagram, drawn without the editor around it.
class DiagramTest : public ScreenTest {
protected:
    // Sets up the s-parameter plot of w in `format` and draws it.
    void draw(const ElementSweep& w, int format) {
        ASSERT_EQ(set_up_plot(state, S_PARAMETERS, format, w.n(), w.re.data(),
                              w.im.data(), w.f.data()),
                  "");
        format_ = format;
        redraw();
    }
    // Draws again without a new set-up. As in the editor, the drawer starts
    // from the whole plot area.
    void redraw() {
        const ScreenLayout& l = screen_layout();
        set_viewport(l.plot_pixels.x1, l.plot_pixels.y1, l.plot_pixels.x2, l.plot_pixels.y2);
        if (format_ == SMITH_CHART)
            draw_smith_chart(state);
        else
            draw_rectangular(state);
    }

private:
    int format_ = MAGNITUDE;
};

// A sweep with the given values at evenly spaced frequencies.
inline ElementSweep linear_sweep(std::vector<float> re, std::vector<float> im, float f_start,
                                 float f_stop) {
    ElementSweep w{std::move(re), std::move(im), {}};
    const int n = static_cast<int>(w.re.size());
    for (int i = 0; i < n; ++i) w.f.push_back(f_start + (f_stop - f_start) * i / (n - 1));
    return w;
}
