// The sparse node matrix against the dense reference: the same S, Z and Y
// at every point of the examples and of random networks, within what the
// conditioning of the nodal equations allows; refactorisations with the
// first pivot order where they stay accurate.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>
#include <string>

#include "dense_nodal_equations.h"
#include "generated_networks.h"
#include "input_stages.h"
#include "nodal_pattern.h"
#include "point_analysis.h"
#include "sparse_nodal_equations.h"
#include "stage_fixture.h"

namespace {

using namespace solver;

constexpr double ACCURACY = 1e-12;

// The largest difference of the port matrices a and b, each entry relative
// to the larger of its size in b and a hundredth of b's largest entry.
double difference(const ComplexD* a, const ComplexD* b, int ports) {
    double largest = 0, worst = 0;
    for (int i = 0; i < PORT_LD * ports; ++i) largest = std::max(largest, std::abs(b[i]));
    for (int p = 0; p < ports; ++p)
        for (int q = 0; q < ports; ++q) {
            const int i = q + p * PORT_LD;
            worst = std::max(worst, std::abs(a[i] - b[i]) / std::max(std::abs(b[i]), 1e-2 * largest));
        }
    return worst;
}

double norm_1(const ComplexD* m, int ports) {
    double norm = 0;
    for (int p = 0; p < ports; ++p) {
        double column = 0;
        for (int q = 0; q < ports; ++q) column += std::abs(m[q + p * PORT_LD]);
        norm = std::max(norm, column);
    }
    return norm;
}

// Condition number (1-norm) of a port matrix; I - S when `identity_minus`.
double condition(const ComplexD* m, int ports, bool identity_minus) {
    ComplexD a[PORT_LD * PORT_LD];
    for (int p = 0; p < ports; ++p)
        for (int q = 0; q < ports; ++q)
            a[q + p * PORT_LD] = identity_minus ? (p == q ? 1.0 : 0.0) - m[q + p * PORT_LD] : m[q + p * PORT_LD];
    const double norm = norm_1(a, ports);
    int swaps[MAX_PORTS], error = 0;
    invert_matrix(a, ports, PORT_LD, swaps, error);
    return error != 0 ? 1e300 : norm * norm_1(a, ports);
}

class NodalStorageTest : public solver_test::StageTest {
protected:
    // Reads the inputs in `inputs` and analyses every point with both
    // storages; returns the largest difference of S, Z and Y.
    double compare_storages(const std::filesystem::path& inputs) {
        restart();
        dir.copy_inputs_from(inputs);
        read_configuration(*run, error_flag);
        read_frequency_sweep(*run, error_flag);
        read_transmission_lines(*run, error_flag);
        read_network(*run, error_flag);
        EXPECT_EQ(error_flag, 0) << diagnostics.str();
        pattern = NodalPattern::analyse(run->lines, run->network);
        dense = DenseNodalEquations::create(run->network.node_count);
        sparse = SparseNodalEquations::create(*pattern);
        PointAnalysis dense_analysis(*run, *dense_tables, *dense), sparse_analysis(*run, *sparse_tables, *sparse);
        double worst = 0;  // difference over its allowance
        for (int i = 0; i <= run->sweep.step_count; ++i) {
            dense_analysis.analyse(run->sweep.frequency(i), *dense_result);
            sparse_analysis.analyse(run->sweep.frequency(i), *sparse_result);
            EXPECT_EQ(sparse_result->failed, dense_result->failed);
            EXPECT_EQ(sparse_result->matrices, dense_result->matrices);
            if (dense_result->failed) break;
            // Two solutions of the nodal equations differ by up to their
            // condition number times the rounding unit; Z and Y amplify the
            // difference of S by the condition numbers of I - S and of Z.
            const int ports = dense_result->port_count;
            const double s_allowed = std::max(ACCURACY, 1e-14 * sparse->condition_estimate());
            const double z_allowed = s_allowed * std::max(1.0, condition(dense_result->s, ports, true));
            const double y_allowed = z_allowed * std::max(1.0, condition(dense_result->z, ports, false));
            worst = std::max({worst, difference(sparse_result->s, dense_result->s, ports) / s_allowed,
                              difference(sparse_result->z, dense_result->z, ports) / z_allowed,
                              difference(sparse_result->y, dense_result->y, ports) / y_allowed});
        }
        return worst;
    }

    std::unique_ptr<NodalPattern> pattern;
    std::unique_ptr<DenseNodalEquations> dense;
    std::unique_ptr<SparseNodalEquations> sparse;
    std::unique_ptr<SweepTables> dense_tables = std::make_unique<SweepTables>();
    std::unique_ptr<SweepTables> sparse_tables = std::make_unique<SweepTables>();
    std::unique_ptr<PointResult> dense_result = std::make_unique<PointResult>();
    std::unique_ptr<PointResult> sparse_result = std::make_unique<PointResult>();
};

TEST_F(NodalStorageTest, SparseAgreesWithDenseOnTheExamplesAndRandomNetworks) {
    for (const char* name :
         {"single_line_50ohm", "coupled_microstrip", "lc_lowpass", "mixed_impedance", "ribbon_crosstalk"})
        EXPECT_LE(compare_storages(std::filesystem::path(MTL_EXAMPLES_DIR) / name), 1.0) << name;
    solver_test::TestDirectory inputs;
    for (unsigned seed = 0; seed < 50; ++seed) {
        solver_testing::write_random_network(inputs.path(), seed, seed % 4 == 0);
        EXPECT_LE(compare_storages(inputs.path()), 1.0) << "random network " << seed;
    }
}

// Up the sweep of the network at the limits, the pivots of the first point's
// order grow by four orders of magnitude: the solutions must stay as
// accurate as fresh factors give, and most points must still be solved with
// the first order.
TEST_F(NodalStorageTest, RefactorisationsStayAccurateWherePivotsGrow) {
    solver_test::TestDirectory inputs;
    solver_testing::write_limit_network(inputs.path(), "1E8 1E8 9\n", true);
    EXPECT_LE(compare_storages(inputs.path()), 1.0);
    EXPECT_LE(sparse->fresh_factorisations(), 3);
}

}  // namespace
