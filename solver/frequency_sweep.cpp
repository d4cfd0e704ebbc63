// The frequency sweep: every point is analysed into a result value (the
// numerics write nothing), and one writer commits the values in sweep order
// to the run report and the parameter files. The first point is analysed
// and committed before the other workers start; then workers take the next
// point to analyse from a shared counter and wait for their turn to commit
// it. Each has its own tables (the first worker's obtained before the first
// point, the others' on their own threads), and the analysis of the node
// matrix's pattern is shared; the sparse factors of the
// first point's matrix give every worker its pivot order. A point's result
// depends only on the point (and the first point), never on which worker
// analysed it. Where a point takes so little time that handing the turn to
// commit from worker to worker would cost more than it saves, one worker
// does the whole sweep, unless the number of threads was asked for.
#include "frequency_sweep.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <new>
#include <optional>
#include <system_error>
#include <thread>
#include <vector>

#include "dense_nodal_equations.h"
#include "nodal_pattern.h"
#include "parameter_file_sink.h"
#include "point_analysis.h"
#include "sparse_nodal_equations.h"
#include "sweep_progress.h"
#include "sweep_report_sink.h"
#include "sweep_writer.h"
#include "touchstone_sink.h"

namespace solver {

namespace {

// Below this many nodes the dense kernel is as fast as the sparse one; above
// this share of held positions the pattern is nearly full.
constexpr int SMALLEST_SPARSE_NETWORK = 24;
constexpr double FULLEST_SPARSE_PATTERN = 0.25;
// Points analysed faster than this are analysed by one worker when the
// number of threads is left to the sweep.
constexpr double SHORTEST_SHARED_POINT_SECONDS = 100e-6;

struct Worker {
    std::unique_ptr<SweepTables> tables;
    std::unique_ptr<NodalEquations> equations;
    SparseNodalEquations* sparse = nullptr;  // the equations, when sparse
    std::unique_ptr<PointResult> result;
    std::optional<PointAnalysis> analysis;
};

// Null when there is not enough memory for another worker.
std::unique_ptr<Worker> make_worker(const SolverRun& run, const NodalPattern* pattern) {
    auto worker = std::unique_ptr<Worker>(new (std::nothrow) Worker);
    if (!worker) return nullptr;
    worker->tables.reset(new (std::nothrow) SweepTables);
    worker->result.reset(new (std::nothrow) PointResult);
    if (pattern) {
        auto sparse = SparseNodalEquations::create(*pattern);
        worker->sparse = sparse.get();
        worker->equations = std::move(sparse);
    } else {
        worker->equations = DenseNodalEquations::create(run.network.node_count);
    }
    if (!worker->tables || !worker->result || !worker->equations) return nullptr;
    worker->analysis.emplace(run, *worker->tables, *worker->equations);
    return worker;
}

bool sparse_storage(const SweepOptions& options, const Network& network) {
    switch (options.storage) {
        case NodalStorage::DENSE: return false;
        case NodalStorage::SPARSE: return true;
        default: return network.node_count >= SMALLEST_SPARSE_NETWORK;
    }
}

int worker_count(const SweepOptions& options, int points) {
    int threads = options.threads > 0 ? options.threads : static_cast<int>(std::thread::hardware_concurrency());
    return std::clamp(std::min(threads, points), 1, MAX_THREADS);
}

// The order of commits: point i is committed only after point i - 1, and
// nothing is committed after the writer asked to stop.
class CommitOrder {
public:
    CommitOrder(SweepWriter& writer, SweepProgress& progress, int& error_flag, int next)
        : writer_(writer), progress_(progress), error_flag_(error_flag), next_(next) {}

    // Waits for point i's turn and commits it; false when the sweep stops.
    bool commit(int i, const PointResult& result) {
        std::unique_lock<std::mutex> lock(mutex_);
        turn_.wait(lock, [&] { return next_ == i || stopped_; });
        if (stopped_) return false;
        lock.unlock();
        // Only the holder of the turn gets here: the writer is never shared.
        const bool go_on = writer_.commit(result, error_flag_);
        if (go_on) progress_.point_done(i + 1);
        lock.lock();
        ++next_;
        stopped_ = !go_on;
        turn_.notify_all();
        return go_on;
    }
    bool stopped() {
        std::lock_guard<std::mutex> lock(mutex_);
        return stopped_;
    }

private:
    SweepWriter& writer_;
    SweepProgress& progress_;
    int& error_flag_;
    std::mutex mutex_;
    std::condition_variable turn_;
    int next_;
    bool stopped_ = false;
};

void fail_for_memory(SolverRun& run, int& error_flag) {
    run.report.error_message({"NOT ENOUGH MEMORY FOR THE NODAL EQUATIONS"});
    run.diagnose("not enough memory for the nodal equations");
    error_flag = 1;
}

}  // namespace

void run_frequency_sweep(SolverRun& run, int& error_flag) {
    const SweepOptions& options = run.command.execution;
    const int points = run.sweep.step_count + 1;
    std::unique_ptr<NodalPattern> pattern;
    if (sparse_storage(options, run.network)) {
        pattern = NodalPattern::analyse(run.lines, run.network);
        if (!pattern) return fail_for_memory(run, error_flag);
        if (options.storage == NodalStorage::AUTOMATIC && pattern->density() > FULLEST_SPARSE_PATTERN)
            pattern.reset();
    }
    // The first worker analyses the first point alone; the others are
    // obtained only once that showed they are worth it.
    std::unique_ptr<Worker> first_worker = make_worker(run, pattern.get());
    if (!first_worker) return fail_for_memory(run, error_flag);

    SweepReportSink report(run.report, run.options);
    ParameterFileSink files(run.directory);
    SweepWriter writer(run);
    writer.add_sink(report);
    // The Touchstone file before the parameter files: a name that cannot
    // be written stops the run before they are replaced.
    std::unique_ptr<TouchstoneSink> touchstone;
    if (run.command.touchstone) {
        touchstone = std::make_unique<TouchstoneSink>(run, touchstone_path(run));
        writer.add_sink(*touchstone);
    }
    writer.add_sink(files);
    if (!writer.open(error_flag)) return;

    SweepProgress progress(points, run.command.quiet);
    Worker& first = *first_worker;
    const auto start = std::chrono::steady_clock::now();
    first.analysis->analyse(run.sweep.frequency(0), *first.result);
    const std::chrono::duration<double> first_point = std::chrono::steady_clock::now() - start;
    if (!writer.commit(*first.result, error_flag)) return writer.close(error_flag);
    progress.point_done(1);

    const bool shared = options.threads != 0 || first_point.count() >= SHORTEST_SHARED_POINT_SECONDS;
    const int wanted = shared ? worker_count(options, points) : 1;

    if (wanted == 1) {
        for (int i = 1; i < points; ++i) {
            first.analysis->analyse(run.sweep.frequency(i), *first.result);
            if (!writer.commit(*first.result, error_flag)) break;
            progress.point_done(i + 1);
        }
    } else {
        CommitOrder order(writer, progress, error_flag, 1);
        std::atomic<int> next_point{1};
        auto work = [&](Worker& worker) {
            // The first matrix is only read once it was solved; a worker
            // without memory for its factors leaves the sweep to the others.
            if (&worker != &first && first.sparse && !worker.sparse->take_first_matrix(*first.sparse)) return;
            for (;;) {
                const int i = next_point.fetch_add(1);
                if (i >= points || order.stopped()) return;
                worker.analysis->analyse(run.sweep.frequency(i), *worker.result);
                if (!order.commit(i, *worker.result)) return;
            }
        };
        // Each further worker obtains its tables on its own thread, while
        // the points go on; one without memory leaves the sweep to the
        // others (fewer workers, the same results).
        auto obtain_and_work = [&] {
            std::unique_ptr<Worker> worker = make_worker(run, pattern.get());
            if (worker) work(*worker);
        };
        std::vector<std::thread> threads;
        for (int w = 1; w < wanted; ++w) {
            try {
                threads.emplace_back(obtain_and_work);
            } catch (const std::system_error&) {
                break;  // the workers started so far do the sweep
            }
        }
        work(first);
        for (std::thread& t : threads) t.join();
    }
    writer.close(error_flag);
}

}  // namespace solver
