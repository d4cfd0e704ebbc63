// Timings of the number-field writers on the values a sweep writes (S, Z and
// Y entries over many decades, both signs), with snprintf's scientific
// conversion of the same values as the yardstick of the same run.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

#include "fixed_fields.h"

namespace {

std::vector<double> sweep_like_values() {
    std::mt19937_64 engine(1);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::vector<double> values(4096);
    for (double& v : values) v = (unit(engine) < 0.5 ? -1 : 1) * std::pow(10.0, 12 * unit(engine) - 6);
    return values;
}

template <char* (*Writer)(char*, double, int, int)>
void BM_writer(benchmark::State& state) {
    const std::vector<double> values = sweep_like_values();
    const int width = static_cast<int>(state.range(0));
    const int decimals = static_cast<int>(state.range(1));
    char field[64];
    std::size_t i = 0;
    for (auto _ : state) {
        Writer(field, values[i++ % values.size()], width, decimals);
        benchmark::DoNotOptimize(field);
    }
}

void BM_snprintf_scientific(benchmark::State& state) {
    const std::vector<double> values = sweep_like_values();
    const int decimals = static_cast<int>(state.range(1));
    char field[64];
    std::size_t i = 0;
    for (auto _ : state) {
        std::snprintf(field, sizeof field, "%#.*e", decimals, values[i++ % values.size()]);
        benchmark::DoNotOptimize(field);
    }
}

BENCHMARK(BM_writer<fields::write_ew_wide_exponent>)->Args({15, 7});
BENCHMARK(BM_writer<fields::write_ew>)->Args({15, 7})->Args({9, 2});
BENCHMARK(BM_writer<fields::write_fw>)->Args({7, 2});
BENCHMARK(BM_snprintf_scientific)->Args({15, 7})->Args({9, 2});

}  // namespace

BENCHMARK_MAIN();
