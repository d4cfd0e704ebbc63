// Common set-up of the tests that run the plot views on a headless screen.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "solver_output_data.h"
#include "headless_screen.h"
#include "key_codes.h"
#include "plot_editor.h"
#include "plot_output_hooks.h"
#include "plot_state.h"

class ScreenTest : public ::testing::Test {
protected:
    ScreenTest() {
        reset_plot_state();
        plot_output_hooks() = PlotOutputHooks{};
    }
    ~ScreenTest() override { plot_output_hooks() = PlotOutputHooks{}; }

    // Runs the plot editor; false when it was still waiting for a key when
    // the key script ran out.
    bool edit(const ElementSweep& w, int kind, int& format) {
        try {
            edit_plot(kind, 0, w.n(), w.re.data(), w.im.data(), w.f.data(), format);
            return true;
        } catch (const KeysExhausted&) {
            return false;
        }
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
};

// A sweep with the given values at evenly spaced frequencies.
inline ElementSweep linear_sweep(std::vector<float> re, std::vector<float> im, float f_start,
                                 float f_stop) {
    ElementSweep w{std::move(re), std::move(im), {}};
    const int n = static_cast<int>(w.re.size());
    for (int i = 0; i < n; ++i) w.f.push_back(f_start + (f_stop - f_start) * i / (n - 1));
    return w;
}
