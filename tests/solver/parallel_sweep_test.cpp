// What the sweep writes does not depend on how it runs: the report, the
// parameter files, the diagnostics and the exit status are byte for byte
// the same for 1, 2 and 4 workers, with the dense and with the sparse node
// matrix, on every example and on 50 random networks (a quarter of them
// fail in the middle of the sweep).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "generated_networks.h"
#include "run_mtlnet.h"
#include "test_directory.h"

namespace {

using solver::NodalStorage;
using solver::SweepOptions;
using solver_test::TestDirectory;

struct Outputs {
    int status = -1;
    std::string diagnostics, report, spar, zpar, ypar;
    bool operator==(const Outputs&) const = default;
};

Outputs run_in(const TestDirectory& dir, SweepOptions sweep) {
    std::ostringstream diagnostics;
    solver::MtlnetOptions options;
    options.directory = dir.path();
    options.execution = sweep;
    Outputs out;
    out.status = solver::run_mtlnet(options, diagnostics);
    out.diagnostics = diagnostics.str();
    out.report = dir.read("VDANOUT.DAT");
    out.spar = dir.read("SPAR.DAT");
    out.zpar = dir.read("ZPAR.DAT");
    out.ypar = dir.read("YPAR.DAT");
    return out;
}

// Runs with one worker and compares the runs with 2 and 4; the same for
// the storage given.
void expect_same_outputs_for_every_worker_count(const TestDirectory& dir, NodalStorage storage,
                                                const std::string& what) {
    const Outputs one = run_in(dir, {1, storage});
    for (int threads : {2, 4}) EXPECT_TRUE(run_in(dir, {threads, storage}) == one) << what << ", " << threads << " workers";
}

class ExampleWorkers : public ::testing::TestWithParam<const char*> {};

TEST_P(ExampleWorkers, WriteTheSameForEveryWorkerCountAndStorage) {
    TestDirectory dir;
    const std::filesystem::path example = std::filesystem::path(MTL_EXAMPLES_DIR) / GetParam();
    dir.copy_inputs_from(example);
    for (NodalStorage storage : {NodalStorage::AUTOMATIC, NodalStorage::DENSE, NodalStorage::SPARSE})
        expect_same_outputs_for_every_worker_count(dir, storage, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Examples, ExampleWorkers,
                         ::testing::Values("single_line_50ohm", "coupled_microstrip", "lc_lowpass", "mixed_impedance",
                                           "ribbon_crosstalk"));

// At the limits the further workers start with the first point and take
// its pivot order from the first worker's factors; where the first point
// fails, they must leave without a trace.
TEST(NetworkWorkers, WriteTheSameAtTheLimitsAndWhenTheFirstPointFails) {
    TestDirectory dir;
    solver_testing::write_limit_network(dir.path(), "1E8 1E8 5\n", true);
    expect_same_outputs_for_every_worker_count(dir, NodalStorage::SPARSE, "network at the limits");
    EXPECT_TRUE(run_in(dir, {0, NodalStorage::AUTOMATIC}) == run_in(dir, {1, NodalStorage::AUTOMATIC}));
    for (unsigned seed = 0; seed < 8; seed += 4) {
        solver_testing::write_random_network(dir.path(), seed, true);
        std::ofstream(dir.path() / "FRQINP.DAT") << "3E8 1E8 4\n";
        const std::string what = "random network " + std::to_string(seed) + " failing at once";
        expect_same_outputs_for_every_worker_count(dir, NodalStorage::DENSE, what);
        expect_same_outputs_for_every_worker_count(dir, NodalStorage::SPARSE, what);
        const Outputs out = run_in(dir, {2, NodalStorage::SPARSE});
        EXPECT_EQ(out.status, 1) << what;
        EXPECT_EQ(out.spar.find("E+08\n"), std::string::npos) << what;
    }
}

TEST(RandomNetworkWorkers, WriteTheSameForEveryWorkerCountAlsoWhenTheSweepFails) {
    int failed = 0;
    for (unsigned seed = 0; seed < 50; ++seed) {
        TestDirectory dir;
        const bool failing = seed % 4 == 0;
        solver_testing::write_random_network(dir.path(), seed, failing);
        const std::string what = "random network " + std::to_string(seed);
        expect_same_outputs_for_every_worker_count(dir, NodalStorage::DENSE, what);
        expect_same_outputs_for_every_worker_count(dir, NodalStorage::SPARSE, what);
        const Outputs out = run_in(dir, {3, NodalStorage::AUTOMATIC});
        if (failing) {
            // Two points completed, the third fails in the modal analysis.
            EXPECT_EQ(out.status, 1) << what;
            EXPECT_NE(out.report.find("COULD NOT BE COMPUTED\n EXECUTION TERMINATED\n"), std::string::npos) << what;
            EXPECT_EQ(out.report.find(" FREQUENCY 4.000E+08 Hz"), std::string::npos) << what;
            EXPECT_EQ(out.spar.find("   3.0000000E+08\n"), std::string::npos) << what;
            EXPECT_NE(out.spar.find("   2.0000000E+08\n"), std::string::npos) << what;
        } else {
            EXPECT_EQ(out.status, 0) << what << ": " << out.diagnostics;
        }
        failed += out.status;
    }
    EXPECT_GE(failed, 12);
}

}  // namespace
