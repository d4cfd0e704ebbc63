// Screenshots of the plot editor on a coupled-line example, compared pixel
// for pixel with the reference pictures in reference/.
#include <gtest/gtest.h>

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
