// Modal quantities of single lines against their closed forms, and the
// modal section of the run report.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <memory>

#include "modal_analysis.h"
#include "modal_report.h"
#include "stage_fixture.h"

namespace {

using solver::ModalSolution;
using solver::ModalWorkspace;

class ModalAnalysis : public solver_test::StageTest {
protected:
    void SetUp() override {
        StageTest::SetUp();
        run->options.reference_frequency = 1e6f;
        run->options.suppress_modal_report = 1;
        run->lines.line_count = 1;
        run->lines.conductor_count[0] = 1;
        run->lines.first_node[0] = 1;
        run->lines.inductance[0][0][0] = 2.5e-7f;
        run->lines.capacitance[0][0][0] = 1e-10f;
        run->lines.line_length[0] = 2.0f;
    }
    // Analyses line 1 and, with the modal report on, writes its section.
    void analyse(float f) {
        const bool section = run->options.suppress_modal_report != 1;
        if (!analyse_line(run->options, run->lines, 1, f, solver::TWO_PI * f, *solution, section ? zc : nullptr,
                          *work, failure))
            error_flag = 1;
        else if (section)
            write_modal_section(run->report, 1, *solution, zc);
    }
    std::unique_ptr<ModalSolution> solution = std::make_unique<ModalSolution>();
    std::unique_ptr<ModalWorkspace> work = std::make_unique<ModalWorkspace>();
    std::complex<float> zc[solver::LINE_LD * solver::LINE_LD];
    solver::PointFailure failure;
};

TEST_F(ModalAnalysis, LosslessSingleConductorIsA50OhmLine) {
    analyse(1e6f);
    ASSERT_EQ(error_flag, 0);
    const double omega = 6.283186e6;
    EXPECT_NEAR(solution->propagation_coefficients[0].real(), 0.0, 1e-9);
    EXPECT_NEAR(solution->propagation_coefficients[0].imag(), omega * 5e-9, 1e-7);
    EXPECT_NEAR(std::abs(solution->modal_voltage_matrix[0] - std::complex<float>(1, 0)), 0, 1e-6);
    EXPECT_NEAR(std::abs(solution->modal_current_matrix[0] - std::complex<float>(0.02f, 0)), 0, 1e-7);
    std::complex<double> e = std::exp(std::complex<double>(0, -omega * 5e-9 * 2.0));
    EXPECT_NEAR(std::abs(std::complex<double>(solution->propagation_factors[0]) - e), 0, 1e-6);
}

TEST_F(ModalAnalysis, ResistanceScalesWithTheSquareRootOfFrequency) {
    run->lines.resistance[0][0][0] = 10.0f;
    run->options.r_exponent = 0.5f;
    analyse(4e6f);
    ASSERT_EQ(error_flag, 0);
    const double omega = 6.283186 * 4e6;
    // [R] enters doubled at four times the reference frequency.
    std::complex<double> zs(20.0, omega * 2.5e-7), ys(0.0, omega * 1e-10);
    std::complex<double> gamma = std::sqrt(zs * ys);
    EXPECT_NEAR(std::abs(std::complex<double>(solution->propagation_coefficients[0]) - gamma), 0,
                1e-5 * std::abs(gamma));
}

TEST_F(ModalAnalysis, SingularInductanceStopsWithTheLineNumber) {
    run->lines.inductance[0][0][0] = 0.0f;
    analyse(1e6f);
    EXPECT_EQ(error_flag, 1);
    EXPECT_EQ(failure.message, " SINGULAR PARAMETERS FOR TRANSMISSION LINE 1");
    EXPECT_NE(failure.diagnostic.find("line 1"), std::string::npos);
    EXPECT_EQ(report(), "");  // the numerics write nothing
}

TEST_F(ModalAnalysis, ReportSectionShowsModesCurrentsCoefficientsAndImpedance) {
    run->options.suppress_modal_report = 0;
    analyse(1e6f);
    ASSERT_EQ(error_flag, 0);
    EXPECT_EQ(report(),
              "\n\n TRANSMISSION LINE  1\n\n MODAL VOLTAGE MATRIX (V)\n\n"
              " ( 1.00E+00, 0.00E+00) \n\n MODAL CURRENT MATRIX (A)\n\n"
              " ( 2.00E-02, 0.00E+00) \n\n MODAL PROPAGATION COEFFICIENTS (1/m)\n\n"
              " ( 0.00E+00, 3.14E-02) \n\n CHARACTERISTIC IMPEDANCE MATRIX (\xEA)\n\n"
              " ( 5.00E+01, 0.00E+00) \n\n");
}

TEST_F(ModalAnalysis, RowsLongerThanFiveContinueOnFurtherLines) {
    run->options.suppress_modal_report = 0;
    const int n = 6;
    run->lines.conductor_count[0] = n;
    for (int i = 0; i < n; ++i) {
        run->lines.inductance[0][i][i] = 2.5e-7f;
        run->lines.capacitance[0][i][i] = 1e-10f;
    }
    analyse(1e6f);
    ASSERT_EQ(error_flag, 0);
    std::string text = report();
    // Every row of V: five values, then one more on its own line.
    std::size_t v = text.find(" MODAL VOLTAGE MATRIX (V)\n\n");
    ASSERT_NE(v, std::string::npos);
    std::size_t first_row_end = text.find('\n', v + 27);
    std::string first_line = text.substr(v + 27, first_row_end - (v + 27));
    EXPECT_EQ(first_line.size(), 5u * 23u);
    std::size_t second_row_end = text.find('\n', first_row_end + 1);
    EXPECT_EQ(second_row_end - first_row_end - 1, 23u);
}

}  // namespace
