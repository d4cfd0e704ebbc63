// Screenshots of the plot editor on a coupled-line example, compared pixel
// for pixel with the reference pictures in reference/.
#include <gtest/gtest.h>

#include <cstdlib>

#include "reference_image.h"
#include "screen_fixture.h"
#include "screen_toolkit.h"

namespace {

const char* picture_title = "";

class DiagramPicturesTest : public ScreenTest {
protected:
    DiagramPicturesTest() {
        // Stands in for the title editor: sets a title and shows it.
        plot_output_hooks().change_title = [] {
            PlotState& s = plot_state();
            s.title = picture_title;
            s.title.resize(TITLE_LENGTH, ' ');
            print_at(screen_layout().plot_first_row, 1, COLOR_NORMAL, s.title);
        };
    }

    // Opens the editor with a title and leaves it waiting in its menu.
    void show(const ElementSweep& w, int format, const char* title, bool insert = false) {
        picture_title = title;
        fn(4);
        if (insert) screen.extended(keys::INSERT);
        ASSERT_FALSE(edit(w, S_PARAMETERS, format));
    }
};

TEST_F(DiagramPicturesTest, SmithChartOfTheInputReflection) {
    show(coupled_line_s(1), SMITH_CHART, "Coupled pair, input reflection s11");
    EXPECT_EQ(compare_with_reference(screen, "smith_chart_s11"), "");
}

TEST_F(DiagramPicturesTest, AdmittanceGridSmithChart) {
    show(coupled_line_s(1), SMITH_CHART, "Coupled pair, input reflection s11", true);
    ASSERT_EQ(plot_state().smith_grid_sign, -1.0f);
    EXPECT_EQ(compare_with_reference(screen, "smith_chart_admittance_s11"), "");
}

TEST_F(DiagramPicturesTest, RealAndImaginaryPartsOfTheTransmission) {
    show(coupled_line_s(2), REAL_IMAG, "Coupled pair, transmission s21");
    EXPECT_EQ(compare_with_reference(screen, "real_imag_s21"), "");
}

TEST_F(DiagramPicturesTest, NearEndCouplingInDecibels) {
    show(coupled_line_s(3), MAGNITUDE_DB, "Coupled pair, near-end coupling s31");
    EXPECT_EQ(compare_with_reference(screen, "magnitude_db_s31"), "");
}

}  // namespace

namespace {

TEST_F(DiagramPicturesTest, AChangedDrawingFailsWithADifferencePicture) {
    const char* update = std::getenv("MTL_UPDATE_REFERENCE");
    if (update && std::string(update) == "1") GTEST_SKIP() << "would overwrite a reference";
    show(coupled_line_s(1), SMITH_CHART, "Another title");
    const std::string outcome = compare_with_reference(screen, "smith_chart_s11");
    EXPECT_NE(outcome.find("pixels differ"), std::string::npos) << outcome;
    Picture diff;
    std::string error;
    ASSERT_TRUE(read_bmp("smith_chart_s11_diff.bmp", diff, error)) << error;
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
