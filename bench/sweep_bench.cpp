// Whole-sweep benchmarks of the solver on generated input sets: a network at
// the limits (512 nodes, 6 ports) and a small two-port over a long sweep.
// Reported as frequency points per second; the nodal factorisation alone at
// 512 nodes is timed in the same run as the yardstick of the first.
#include <benchmark/benchmark.h>

#include <complex>
#include <filesystem>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "generated_networks.h"
#include "linear_algebra.h"
#include "run_mtlnet.h"

namespace {

std::filesystem::path bench_directory(const char* name) {
    auto dir = std::filesystem::temp_directory_path() / name;
    std::filesystem::create_directories(dir);
    return dir;
}

// Runs the whole solver on an input set written by `write_inputs` into a
// directory of its own, with a sweep of state.range(0) points from `start`
// in steps of `step` ("1E8", "1E7").
template <class WriteInputs>
void run_sweep(benchmark::State& state, const char* directory_name, WriteInputs write_inputs, const char* start,
               const char* step) {
    const int points = static_cast<int>(state.range(0));
    const auto dir = bench_directory(directory_name);
    write_inputs(dir, std::string(start) + " " + step + " " + std::to_string(points - 1) + "\n");
    std::ostringstream diagnostics;
    for (auto _ : state) {
        int status = solver::run_mtlnet(dir, diagnostics);
        if (status != 0) state.SkipWithError(diagnostics.str().c_str());
    }
    state.counters["points/s"] =
        benchmark::Counter(static_cast<double>(points) * state.iterations(), benchmark::Counter::kIsRate);
    std::filesystem::remove_all(dir);
}

void BM_SweepAtTheLimits(benchmark::State& state) {
    run_sweep(state, "mtl_bench_limits", solver_testing::write_limit_network, "1E8", "1E7");
}
BENCHMARK(BM_SweepAtTheLimits)->Arg(100)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SmallTwoPortLongSweep(benchmark::State& state) {
    run_sweep(state, "mtl_bench_two_port", solver_testing::write_small_two_port, "1E6", "1E5");
}
BENCHMARK(BM_SmallTwoPortLongSweep)->Arg(10000)->Arg(100)->Unit(benchmark::kMillisecond)->UseRealTime();

// Yardstick: one factorisation of a 512-node matrix and six substitutions.
void BM_NodalSolveOnly512(benchmark::State& state) {
    const int n = 512;
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> u(-1, 1);
    std::vector<ComplexD> original(n * n), a(n * n), b(n), x(n);
    for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i) original[i + j * n] = ComplexD(u(rng), u(rng)) + (i == j ? 8.0 : 0.0);
    std::vector<int> order(n);
    for (auto _ : state) {
        a = original;
        for (int p = 0; p < 6; ++p) {
            for (auto& v : b) v = ComplexD(1, 0);
            int error = 0;
            solve_linear_system(a.data(), b.data(), x.data(), n, n, p > 0, error, order.data());
        }
        benchmark::DoNotOptimize(x.data());
    }
    state.counters["points/s"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                    benchmark::Counter::kIsRate);
}
BENCHMARK(BM_NodalSolveOnly512)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
