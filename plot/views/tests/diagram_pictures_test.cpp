// Screenshots of the plot editor on the solver's output for the coupled
// microstrip example, compared pixel for pixel with the reference pictures
// in reference/.
#include <gtest/gtest.h>

#include <cstdlib>

#include "reference_image.h"
#include "screen_fixture.h"
#include "screen_toolkit.h"

namespace {

const char* picture_title = "";

// Stands in for the title editor: sets a title and shows it.
struct TitleOnly : NoPlotOutputs {
    void change_title(PlotState& s) override {
        s.title = picture_title;
        s.title.resize(TITLE_LENGTH, ' ');
        print_at(screen_layout().plot_cells.top, 1, COLOR_NORMAL, s.title);
    }
};

class DiagramPicturesTest : public ScreenTest {
protected:
    DiagramPicturesTest() { outputs = &title_only; }
    TitleOnly title_only;

    // Opens the editor with a title and leaves it waiting in its menu.
    void show(const ElementSweep& w, int format, const char* title, bool insert = false) {
        picture_title = title;
        fn(4);
        if (insert) screen.extended(keys::INSERT);
        ASSERT_FALSE(edit(w, S_PARAMETERS, format));
    }
};

// The Smith charts show the through path: the input reflection of this
// well matched pair stays below 0.04, a dot of markers at the centre.
TEST_F(DiagramPicturesTest, SmithChartOfTheThroughPath) {
    show(coupled_microstrip_s(3, 1), SMITH_CHART, "Coupled microstrip, through path s31");
    EXPECT_EQ(screen.text_at(23, 3, 17), "fstart 0.0500 GHz");
    EXPECT_EQ(screen.text_at(24, 3, 17), "fstep  0.0500 GHz");
    EXPECT_EQ(screen.text_at(25, 3, 17), "fstop  3.0000 GHz");
    EXPECT_EQ(compare_with_reference(screen, "smith_chart_s31"), "");
}

TEST_F(DiagramPicturesTest, AdmittanceGridSmithChart) {
    show(coupled_microstrip_s(3, 1), SMITH_CHART, "Coupled microstrip, through path s31", true);
    ASSERT_EQ(state.smith_grid_sign, -1.0f);
    EXPECT_EQ(compare_with_reference(screen, "smith_chart_admittance_s31"), "");
}

TEST_F(DiagramPicturesTest, RealAndImaginaryPartsOfTheNearEndCrosstalk) {
    show(coupled_microstrip_s(2, 1), REAL_IMAG, "Coupled microstrip, near-end crosstalk s21");
    // 50 MHz to 3 GHz snaps to 0 to 3 GHz in six divisions.
    EXPECT_EQ(screen.text_at(24, 4, 7), "  0.000");
    EXPECT_EQ(screen.text_at(24, 12, 11), " 0.5000/div");
    EXPECT_EQ(screen.text_at(24, 57, 7), " 3.0000");
    EXPECT_EQ(compare_with_reference(screen, "real_imag_s21"), "");
}

TEST_F(DiagramPicturesTest, FarEndCrosstalkInDecibels) {
    show(coupled_microstrip_s(4, 1), MAGNITUDE_DB, "Coupled microstrip, far-end crosstalk s41");
    EXPECT_EQ(compare_with_reference(screen, "magnitude_db_s41"), "");
}

}  // namespace

namespace {

TEST_F(DiagramPicturesTest, AChangedDrawingFailsWithADifferencePicture) {
    const char* update = std::getenv("MTL_UPDATE_REFERENCE");
    if (update && std::string(update) == "1") GTEST_SKIP() << "would overwrite a reference";
    show(coupled_microstrip_s(3, 1), SMITH_CHART, "Another title");
    const std::string outcome = compare_with_reference(screen, "smith_chart_s31");
    EXPECT_NE(outcome.find("pixels differ"), std::string::npos) << outcome;
    Picture diff;
    std::string error;
    ASSERT_TRUE(read_bmp("smith_chart_s31_diff.bmp", diff, error)) << error;
    EXPECT_EQ(diff.width, 640);
    EXPECT_EQ(diff.height, 480);
    // The title row differs, the chart below it does not.
    auto red_in_rows = [&](int first, int last) {  // of the plot area
        int n = 0;
        for (int y = first; y <= last; ++y)
            for (int x = 0; x < 512; ++x) n += diff.rgb[static_cast<std::size_t>(y) * 640 + x] == 0xFF0000u;
        return n;
    };
    EXPECT_GT(red_in_rows(16, 31), 50);
    EXPECT_EQ(red_in_rows(32, 399), 0);
}

}  // namespace
