// The lines of a point analysed by a helper: the worker that enters them
// takes the helper's modes, and its failure, as if it had analysed them
// itself, so the point's result is the same bit for bit.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "dense_nodal_equations.h"
#include "generated_networks.h"
#include "input_stages.h"
#include "line_claims.h"
#include "point_analysis.h"
#include "stage_fixture.h"

namespace {

using namespace solver;

class LineClaimsTest : public solver_test::StageTest {};

TEST_F(LineClaimsTest, HelpedLinesGiveTheSameResultAndFailure) {
    for (unsigned seed = 0; seed < 12; ++seed) {
        const bool failing = seed % 3 == 0;  // its last line fails from 300 MHz on
        restart();
        solver_testing::write_random_network(dir.path(), seed, failing);
        read_configuration(*run, error_flag);
        read_frequency_sweep(*run, error_flag);
        read_transmission_lines(*run, error_flag);
        read_network(*run, error_flag);
        ASSERT_EQ(error_flag, 0) << diagnostics.str();
        const float f = failing ? 4e8f : run->sweep.frequency(0);
        auto tables = std::make_unique<SweepTables>(), helper_tables = std::make_unique<SweepTables>();
        auto equations = DenseNodalEquations::create(run->network.node_count);
        PointAnalysis analysis(*run, *tables, *equations);
        auto alone = std::make_unique<PointResult>(), helped = std::make_unique<PointResult>();
        if (analysis.enter_point(f, *alone)) analysis.solve_point(*alone);

        LineClaims claims(*run, f, *helped);
        claims.help(helper_tables->modal_work);  // nobody claimed any line yet: the helper takes them all
        if (analysis.enter_point(f, *helped, &claims)) analysis.solve_point(*helped);

        ASSERT_EQ(helped->failed, alone->failed) << seed;
        EXPECT_EQ(helped->failed, failing) << seed;
        EXPECT_EQ(helped->failure.message, alone->failure.message) << seed;
        EXPECT_EQ(helped->failure.diagnostic, alone->failure.diagnostic) << seed;
        ASSERT_EQ(helped->lines_analysed, alone->lines_analysed) << seed;
        for (int k = 0; k < alone->lines_analysed; ++k) {
            const ModalSolution &a = alone->modes[k], &h = helped->modes[k];
            EXPECT_EQ(std::memcmp(a.modal_current_matrix, h.modal_current_matrix, sizeof a.modal_current_matrix), 0);
            EXPECT_EQ(std::memcmp(a.propagation_factors, h.propagation_factors, sizeof a.propagation_factors), 0);
        }
        EXPECT_EQ(std::memcmp(alone->s, helped->s, sizeof alone->s), 0) << seed;
    }
}

}  // namespace
