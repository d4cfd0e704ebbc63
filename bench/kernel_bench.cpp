// Timings of the solver's linear-algebra kernels: the node-matrix solver (one
// factorisation and six substitutions, as for a six-port network at one
// frequency) against the textbook LU of the same run, inversion of port and
// line matrices, and eigen-decomposition of line matrices Z'Y': the
// decomposition steps alone, the whole of eigen_decompose (with the accuracy
// refinement) and, where the benchmark was linked with LAPACK, LAPACK's cgeev
// on the same matrices.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "linear_algebra.h"
#include "sample_matrices.h"
#include "textbook_lu.h"

#ifdef MTL_HAVE_LAPACKE
#include <complex>
#define lapack_complex_float std::complex<float>
#define lapack_complex_double std::complex<double>
#include <lapacke.h>
// OpenBLAS's own call: cgeev runs on the benchmark's thread alone, so that
// the CPU times compare.
extern "C" void openblas_set_num_threads(int);
#endif

namespace {

constexpr int PORTS = 6;

double factorisation_flops(int n) { return 8.0 / 3.0 * n * n * static_cast<double>(n); }

void set_flop_rate(benchmark::State& state, int n) {
    state.counters["GFLOP/s"] = benchmark::Counter(
        factorisation_flops(n) * static_cast<double>(state.iterations()) / 1e9,
        benchmark::Counter::kIsRate);
}

void BM_solve_linear_system(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    std::vector<ComplexD> pristine(static_cast<size_t>(n) * n), a(pristine.size());
    std::vector<ComplexD> b(n), x(n);
    std::vector<int> order(n);
    fill_network_like(pristine.data(), n, n, 1);
    for (auto _ : state) {
        std::copy(pristine.begin(), pristine.end(), a.begin());
        int error = 0;
        for (int port = 0; port < PORTS; ++port) {
            std::fill(b.begin(), b.end(), ComplexD(0.0));
            b[port * (n / PORTS)] = 2.0 / 50.0;
            solve_linear_system(a.data(), b.data(), x.data(), n, n, port, error, order.data());
        }
        benchmark::DoNotOptimize(x.data());
        if (error != 0) state.SkipWithError("singular");
    }
    set_flop_rate(state, n);
}

void BM_textbook_lu(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    std::vector<ComplexD> pristine(static_cast<size_t>(n) * n), a(pristine.size());
    std::vector<ComplexD> b(n);
    std::vector<int> pivots(n);
    fill_network_like(pristine.data(), n, n, 1);
    for (auto _ : state) {
        std::copy(pristine.begin(), pristine.end(), a.begin());
        if (!textbook_factorise(a.data(), n, n, pivots.data())) state.SkipWithError("singular");
        for (int port = 0; port < PORTS; ++port) {
            std::fill(b.begin(), b.end(), ComplexD(0.0));
            b[port * (n / PORTS)] = 2.0 / 50.0;
            textbook_substitute(a.data(), n, n, pivots.data(), b.data());
        }
        benchmark::DoNotOptimize(b.data());
    }
    set_flop_rate(state, n);
}

template <class Complex>
void BM_invert_matrix(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    std::vector<Complex> pristine(static_cast<size_t>(n) * n), a(pristine.size());
    std::vector<int> swaps(n);
    fill_random(pristine.data(), n, n, n, 2);
    for (auto _ : state) {
        std::copy(pristine.begin(), pristine.end(), a.begin());
        int error = 0;
        invert_matrix(a.data(), n, n, swaps.data(), error);
        benchmark::DoNotOptimize(a.data());
    }
}

// The line matrix of n conductors every eigenvalue benchmark works on.
struct LineMatrix {
    static constexpr int LD = EIGEN_MAX_ORDER;
    explicit LineMatrix(int n) : pristine(LD * LD) {
        fill_line_product({n, 1.0e8, LineLayout::LADDER}, pristine.data(), LD);
    }
    std::vector<ComplexF> pristine;
};

void BM_eigen_decompose(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    constexpr int ld = LineMatrix::LD;
    const LineMatrix line(n);
    std::vector<ComplexF> a(ld * ld), z(ld * ld), w(ld);
    std::vector<float> scale(ld);
    EigenWork work;
    for (auto _ : state) {
        std::copy(line.pristine.begin(), line.pristine.end(), a.begin());
        int error = 0;
        eigen_decompose(a.data(), n, ld, w.data(), z.data(), ld, scale.data(), work, error);
        if (error != 0) state.SkipWithError("eigenvalues not found");
        benchmark::DoNotOptimize(z.data());
    }
}

// The decomposition without its refinement, and the refinement alone on
// what the decomposition left (the cost of reaching the rounding level).
void BM_decomposition_steps(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    constexpr int ld = EIGEN_MAX_ORDER;
    std::vector<ComplexF> pristine(ld * ld), a(ld * ld), z(ld * ld), w(ld);
    std::vector<float> scale(ld);
    EigenWork work;
    fill_line_product({n, 1.0e8, LineLayout::LADDER}, pristine.data(), ld);
    for (auto _ : state) {
        std::copy(pristine.begin(), pristine.end(), a.begin());
        int low = 0, igh = 0, error = 0;
        balance_matrix(a.data(), n, ld, low, igh, scale.data());
        reduce_to_hessenberg(a.data(), n, ld, low, igh, work.exchanges);
        lr_iteration(a.data(), n, ld, low, igh, work.exchanges, w.data(), z.data(), ld, work.marks, error);
        back_transform(z.data(), n, ld, low, igh, scale.data(), n);
        normalize_eigenvectors(z.data(), n, ld, error);
        benchmark::DoNotOptimize(z.data());
    }
}

#ifdef MTL_HAVE_LAPACKE
// LAPACK's general complex eigensolver (balancing, Hessenberg reduction, QR
// iteration, right eigenvectors) with its workspace allocated beforehand.
void BM_cgeev(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    constexpr int ld = LineMatrix::LD;
    const LineMatrix line(n);
    std::vector<lapack_complex_float> a(ld * ld), vr(ld * ld), w(ld), vl(1);
    std::vector<float> rwork(2 * n);
    lapack_complex_float query;
    LAPACKE_cgeev_work(LAPACK_COL_MAJOR, 'N', 'V', n, a.data(), ld, w.data(), vl.data(), 1,
                       vr.data(), ld, &query, -1, rwork.data());
    std::vector<lapack_complex_float> work(static_cast<size_t>(query.real()));
    for (auto _ : state) {
        std::memcpy(a.data(), line.pristine.data(), sizeof(ComplexF) * ld * ld);
        const lapack_int info =
            LAPACKE_cgeev_work(LAPACK_COL_MAJOR, 'N', 'V', n, a.data(), ld, w.data(), vl.data(), 1,
                               vr.data(), ld, work.data(), static_cast<lapack_int>(work.size()),
                               rwork.data());
        if (info != 0) state.SkipWithError("cgeev failed");
        benchmark::DoNotOptimize(vr.data());
    }
}
BENCHMARK(BM_cgeev)->Arg(4)->Arg(16)->Arg(24)->Arg(32)->Unit(benchmark::kMicrosecond);
#endif
void BM_refine_eigenvectors(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    constexpr int ld = EIGEN_MAX_ORDER;
    std::vector<ComplexF> pristine(ld * ld), a(ld * ld), z0(ld * ld), w0(ld), z(ld * ld), w(ld);
    std::vector<float> scale(ld);
    EigenWork work;
    fill_line_product({n, 1.0e8, LineLayout::LADDER}, pristine.data(), ld);
    a = pristine;
    int low = 0, igh = 0, error = 0;
    balance_matrix(a.data(), n, ld, low, igh, scale.data());
    std::copy(a.begin(), a.end(), work.balanced);
    const BalancedForm form{work.balanced, ld, low, igh, scale.data()};
    reduce_to_hessenberg(a.data(), n, ld, low, igh, work.exchanges);
    lr_iteration(a.data(), n, ld, low, igh, work.exchanges, w0.data(), z0.data(), ld, work.marks, error);
    back_transform(z0.data(), n, ld, low, igh, scale.data(), n);
    for (auto _ : state) {
        z = z0;
        w = w0;
        refine_eigenvectors(pristine.data(), n, ld, w.data(), z.data(), ld, work.refine, &form);
        benchmark::DoNotOptimize(z.data());
    }
}

BENCHMARK(BM_solve_linear_system)->Arg(64)->Arg(256)->Arg(512)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_textbook_lu)->Arg(64)->Arg(256)->Arg(512)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_invert_matrix, ComplexD)->Arg(6)->Arg(32)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_invert_matrix, ComplexF)->Arg(6)->Arg(32)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_eigen_decompose)->Arg(4)->Arg(16)->Arg(24)->Arg(32)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_decomposition_steps)->Arg(4)->Arg(16)->Arg(24)->Arg(32)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_refine_eigenvectors)->Arg(4)->Arg(16)->Arg(24)->Arg(32)->Unit(benchmark::kMicrosecond);

// Console output plus, at the end, the speed-up of the solver kernel over the
// textbook LU, the time of the eigenpair refinement relative to the
// decomposition steps it follows, and the time of those steps relative to cgeev
// for every size measured in this run (in CPU time, which a busy machine
// disturbs less than wall-clock time).
class SpeedupReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred || run.run_type != Run::RT_Iteration) continue;
            const std::string name = run.benchmark_name();
            const auto slash = name.find('/');
            if (slash == std::string::npos) continue;
            times_[name.substr(0, slash)][name.substr(slash + 1)] = run.GetAdjustedCPUTime();
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        const auto& kernel = times_["BM_solve_linear_system"];
        const auto& baseline = times_["BM_textbook_lu"];
        for (const auto& [size, time] : kernel) {
            const auto other = baseline.find(size);
            if (other == baseline.end() || time <= 0.0) continue;
            std::printf("solve_linear_system n = %s: %.2f times as fast as the textbook LU\n",
                        size.c_str(), other->second / time);
        }
        const auto& steps = times_["BM_decomposition_steps"];
        const auto& whole = times_["BM_eigen_decompose"];
        const auto& lapack = times_["BM_cgeev"];
        // The refinement may take at most half the time of the steps before it.
        for (const auto& [size, time] : times_["BM_refine_eigenvectors"]) {
            const auto other = steps.find(size);
            if (other == steps.end() || other->second <= 0.0) continue;
            std::printf("refinement n = %s: %.2f x the time of the decomposition steps\n", size.c_str(),
                        time / other->second);
        }
        for (const auto& [size, time] : steps) {
            const auto other = lapack.find(size);
            if (other == lapack.end() || other->second <= 0.0) continue;
            const auto with_refinement = whole.find(size);
            std::printf("eigen-decomposition n = %s: steps %.2f x cgeev's time", size.c_str(),
                        time / other->second);
            if (with_refinement != whole.end())
                std::printf(", with the refinement %.2f x", with_refinement->second / other->second);
            std::printf("\n");
        }
    }

private:
    std::map<std::string, std::map<std::string, double>> times_;
};

}  // namespace

int main(int argc, char** argv) {
#ifdef MTL_HAVE_LAPACKE
    openblas_set_num_threads(1);
#endif
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    SpeedupReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
