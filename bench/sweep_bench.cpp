// Whole-sweep benchmarks of the solver on generated networks: a cascade of
// 16 different lines of 16 conductors (512 nodes), a star of 15 lines meeting
// at one group of own nodes, the densest pattern the input allows, and a
// small two-port over a long sweep. Every benchmark times, in the same run
// and interleaved, the whole sweep with the dense node matrix on one thread,
// with the sparse one on one thread and on all cores, one independent
// single-thread run per core at once (what the machine gives work that
// shares nothing), and the nodal solve alone (factorisation and the
// substitutions of every port, per frequency, in CPU time) in both storages;
// the counters give points per second and the ratios.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "dense_nodal_equations.h"
#include "generated_networks.h"
#include "input_stages.h"
#include "nodal_pattern.h"
#include "point_analysis.h"
#include "run_mtlnet.h"
#include "sparse_nodal_equations.h"

namespace {

using Clock = std::chrono::steady_clock;
using solver::NodalStorage;

double seconds_since(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

std::filesystem::path bench_directory(const char* name) {
    auto dir = std::filesystem::temp_directory_path() / name;
    std::filesystem::create_directories(dir);
    return dir;
}

// One whole run of the solver; its diagnostics where it fails, else "".
std::string run_solver(const std::filesystem::path& dir, int threads, NodalStorage storage) {
    solver::MtlnetOptions options;
    options.directory = dir;
    options.quiet = true;
    options.execution = {threads, storage};
    std::ostringstream diagnostics;
    if (solver::run_mtlnet(options, diagnostics) != 0) return "failed: " + diagnostics.str();
    return "";
}

// Seconds of one whole run of the solver.
double time_run(const std::filesystem::path& dir, int threads, NodalStorage storage, benchmark::State& state) {
    const auto start = Clock::now();
    const std::string failure = run_solver(dir, threads, storage);
    const double seconds = seconds_since(start);
    if (!failure.empty()) state.SkipWithError(failure.c_str());
    return seconds;
}

// Seconds until independent sparse runs on one thread each, one per
// directory, all started at once, have all finished: what the machine gives
// work that shares nothing, the ceiling of the sweep's own thread ratio.
double time_independent_runs(const std::vector<std::filesystem::path>& dirs, benchmark::State& state) {
    std::vector<std::string> failures(dirs.size());
    std::vector<std::thread> runs;
    const auto start = Clock::now();
    for (std::size_t i = 0; i < dirs.size(); ++i)
        runs.emplace_back([&, i] { failures[i] = run_solver(dirs[i], 1, NodalStorage::SPARSE); });
    for (std::thread& run : runs) run.join();
    const double seconds = seconds_since(start);
    for (const std::string& failure : failures)
        if (!failure.empty()) state.SkipWithError(failure.c_str());
    return seconds;
}

// CPU seconds of the calling thread: the nodal solve alone is timed in CPU
// time, which other work on the machine does not inflate.
double thread_seconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

// Passes everything on to the real equations and times their solves.
class TimedSolves : public solver::NodalEquations {
public:
    explicit TimedSolves(solver::NodalEquations& inner) : inner_(inner) {}
    void clear() override { inner_.clear(); }
    ComplexD& at(int row, int column) override { return inner_.at(row, column); }
    void substitute_line_columns(int first, int n, const ComplexD* w, int ldw, const ComplexD* e) override {
        inner_.substitute_line_columns(first, n, w, ldw, e);
    }
    solver::SolveStatus solve(ComplexD* x, int count, int ldx) override {
        const double start = thread_seconds();
        const solver::SolveStatus status = inner_.solve(x, count, ldx);
        seconds += thread_seconds() - start;
        return status;
    }
    double seconds = 0;

private:
    solver::NodalEquations& inner_;
};

// Seconds per point of the nodal solve alone, over the first `points` points
// of the inputs in dir.
double time_nodal_solve(const std::filesystem::path& dir, NodalStorage storage, int points) {
    std::ostringstream diagnostics;
    auto run = std::make_unique<solver::SolverRun>(dir, diagnostics);
    std::string reason;
    run->report.open(dir / "BENCH.DAT", reason);
    int error = 0;
    solver::read_configuration(*run, error);
    solver::read_frequency_sweep(*run, error);
    solver::read_transmission_lines(*run, error);
    solver::read_network(*run, error);
    if (error != 0) return 0;
    std::unique_ptr<solver::NodalPattern> pattern;
    std::unique_ptr<solver::NodalEquations> equations;
    if (storage == NodalStorage::DENSE) {
        equations = solver::DenseNodalEquations::create(run->network.node_count);
    } else {
        pattern = solver::NodalPattern::analyse(run->lines, run->network);
        equations = solver::SparseNodalEquations::create(*pattern);
    }
    TimedSolves timed(*equations);
    auto tables = std::make_unique<solver::SweepTables>();
    auto result = std::make_unique<solver::PointResult>();
    solver::PointAnalysis analysis(*run, *tables, timed);
    points = std::min(points, run->sweep.step_count + 1);
    for (int i = 0; i < points; ++i) analysis.analyse(run->sweep.frequency(i), *result);
    return timed.seconds / points;
}

constexpr int SPARSE_ROUNDS = 5;

template <class WriteInputs>
void compare_storages_and_threads(benchmark::State& state, const char* directory_name, WriteInputs write_inputs,
                                  const char* start, const char* step, int solve_points) {
    const int points = static_cast<int>(state.range(0));
    const auto dir = bench_directory(directory_name);
    write_inputs(dir, std::string(start) + " " + step + " " + std::to_string(points - 1) + "\n");
    // Copies of the inputs for the independent runs, one per core.
    std::vector<std::filesystem::path> copies;
    const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    for (int c = 0; c < cores; ++c) {
        copies.push_back(dir / ("copy" + std::to_string(c)));
        std::filesystem::create_directories(copies.back());
        write_inputs(copies.back(), std::string(start) + " " + step + " " + std::to_string(points - 1) + "\n");
    }
    double dense = 0, sparse = 0, all_cores = 0, independent = 0, solve_dense = 0, solve_sparse = 0;
    for (auto _ : state) {
        dense += time_run(dir, 1, NodalStorage::DENSE, state);
        // The sparse runs, short against the dense one, interleaved: the
        // fastest of each kind, the one least disturbed by other work on the
        // machine (which slows a run on all cores more than one on a single
        // thread, which may move to an idle core).
        std::vector<double> one, all, apart;
        for (int round = 0; round < SPARSE_ROUNDS; ++round) {
            one.push_back(time_run(dir, 1, NodalStorage::SPARSE, state));
            all.push_back(time_run(dir, 0, NodalStorage::SPARSE, state));
            apart.push_back(time_independent_runs(copies, state));
        }
        sparse += *std::min_element(one.begin(), one.end());
        all_cores += *std::min_element(all.begin(), all.end());
        independent += *std::min_element(apart.begin(), apart.end());
        solve_dense += time_nodal_solve(dir, NodalStorage::DENSE, solve_points);
        solve_sparse += time_nodal_solve(dir, NodalStorage::SPARSE, solve_points);
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["dense1 pt/s"] = points * runs / dense;
    state.counters["sparse1 pt/s"] = points * runs / sparse;
    state.counters["sparseN pt/s"] = points * runs / all_cores;
    state.counters["solve dense ms"] = 1e3 * solve_dense / runs;
    state.counters["solve sparse ms"] = 1e3 * solve_sparse / runs;
    state.counters["solve x"] = solve_dense / solve_sparse;   // nodal solve alone, sparse vs dense
    state.counters["sweep x"] = dense / all_cores;            // all cores and sparse vs one thread and dense
    state.counters["threads x"] = sparse / all_cores;         // all cores vs one thread, both sparse
    state.counters["apart x"] = cores * sparse / independent; // one run per core at once vs one run
    std::filesystem::remove_all(dir);
}

void BM_Cascade(benchmark::State& state) {
    compare_storages_and_threads(
        state, "mtl_bench_cascade",
        [](const std::filesystem::path& dir, const std::string& sweep) {
            solver_testing::write_limit_network(dir, sweep, true);
        },
        "1E8", "1E7", 20);
}
BENCHMARK(BM_Cascade)->Arg(100)->Arg(2)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);

void BM_Star(benchmark::State& state) {
    compare_storages_and_threads(state, "mtl_bench_star", solver_testing::write_star_network, "1E8", "1E7", 20);
}
BENCHMARK(BM_Star)->Arg(100)->Arg(2)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);

void BM_DenseWorstCase(benchmark::State& state) {
    compare_storages_and_threads(state, "mtl_bench_dense", solver_testing::write_dense_network, "1E8", "1E7", 20);
}
BENCHMARK(BM_DenseWorstCase)->Arg(100)->Arg(2)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);

void BM_TwoPortLongSweep(benchmark::State& state) {
    compare_storages_and_threads(state, "mtl_bench_two_port", solver_testing::write_small_two_port, "1E6", "1E5",
                                 1000);
}
BENCHMARK(BM_TwoPortLongSweep)->Arg(10000)->Arg(100)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
