// The frequency sweep: every point is analysed into a result value (the
// numerics write nothing), and one writer commits the values in sweep order
// to the run report and the parameter files. Workers take the next point to
// analyse from a shared counter and wait for their turn to commit it. Each
// has its own tables (the first worker's obtained before the first point,
// the others' on their own threads), and the analysis of the node matrix's
// pattern is shared; the sparse factors of the first point's matrix give
// every worker its pivot order, so the first worker analyses the first
// point, and a further worker solves nothing before that order is there. A
// point's result depends only on the point (and the first point), never on
// which worker analysed it.
//
// Where the lines make every point long, the further workers start with the
// first point: each enters the matrix of a point of its own while the first
// point is factorised, and keeps that point only if no other worker took it
// meanwhile. Otherwise they start once the first point is committed, and
// where a point takes so little time that handing the turn to commit from
// worker to worker would cost more than it saves, one worker does the whole
// sweep, unless the number of threads was asked for.
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
#include "line_claims.h"
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
// The modal analysis of a line of n conductors takes about 50 n^3 ns on the
// development machine: lines whose n^3 add up to this make every point last
// several times the shortest shared one, before anything is measured.
constexpr long LONG_POINT_CONDUCTORS_CUBED = 8192;

struct Worker {
    std::unique_ptr<SweepTables> tables;
    std::unique_ptr<NodalEquations> equations;
    SparseNodalEquations* sparse = nullptr;  // the equations, when sparse
    std::unique_ptr<PointResult> result;
    std::optional<PointAnalysis> analysis;
};

// The tables of a worker that do not depend on the node matrix's pattern;
// false when there is not enough memory.
bool obtain_tables(Worker& worker) {
    if (!worker.tables) worker.tables.reset(new (std::nothrow) SweepTables);
    if (!worker.result) worker.result.reset(new (std::nothrow) PointResult);
    return worker.tables && worker.result;
}

// Its nodal equations (sparse with the pattern, dense without) and the
// analysis with them; false when there is not enough memory.
bool obtain_equations(Worker& worker, const SolverRun& run, const NodalPattern* pattern) {
    if (pattern) {
        auto sparse = SparseNodalEquations::create(*pattern);
        worker.sparse = sparse.get();
        worker.equations = std::move(sparse);
    } else {
        worker.equations = DenseNodalEquations::create(run.network.node_count);
    }
    if (!worker.equations) return false;
    worker.analysis.emplace(run, *worker.tables, *worker.equations);
    return true;
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

bool lines_make_points_long(const LineTable& lines) {
    long cubes = 0;
    for (int k = 0; k < lines.line_count; ++k) {
        const long n = lines.conductor_count[k];
        cubes += n * n * n;
    }
    return cubes >= LONG_POINT_CONDUCTORS_CUBED;
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

// The pattern, the points and the first pivot order, shared by the workers
// after the first. Points 1 .. speculative_end - 1 are the points of the
// workers that start with the sweep (point w for worker w): whoever claims
// such a point first analyses it. Those workers also help with the first
// point's lines (first_lines) while the first worker obtains its tables.
class SharedSweep {
public:
    SharedSweep(const SolverRun& run, Worker& first, CommitOrder& order, int points, int speculative_end,
                LineClaims* first_lines)
        : run_(run),
          first_(first),
          order_(order),
          points_(points),
          speculative_end_(speculative_end),
          first_lines_(first_lines) {}

    // By the first worker: the pattern (null for the dense node matrix),
    // or that the sweep ends before its first point.
    void publish_pattern(const NodalPattern* pattern, bool go_on = true) {
        std::lock_guard<std::mutex> lock(mutex_);
        pattern_ = pattern;
        stage_ = go_on ? PATTERN : OVER;
        stage_changed_.notify_all();
    }

    // By the first worker as soon as its first solve found the pivot order,
    // and once it analysed the first point, whether or not that gave one.
    void publish_first_order() {
        std::lock_guard<std::mutex> lock(mutex_);
        if (stage_ == ORDER) return;
        stage_ = ORDER;
        stage_changed_.notify_all();
    }

    // The loop of the worker that analysed the first point.
    void work_on(Worker& worker) {
        for (int i; (i = take_point()) >= 0;) {
            worker.analysis->analyse(run_.sweep.frequency(i), *worker.result);
            if (!order_.commit(i, *worker.result)) return;
        }
    }

    // A further worker: its tables, the first point's lines nobody took
    // yet, its equations, then (when it has a point of its own,
    // own_point >= 1) that point's matrix, the first pivot order, and the
    // points. Without memory for its tables or its factors it leaves the
    // sweep to the others (fewer workers, the same results).
    void further_worker(int own_point) {
        auto made = std::unique_ptr<Worker>(new (std::nothrow) Worker);
        if (!made || !obtain_tables(*made)) return;
        Worker& worker = *made;
        if (first_lines_) first_lines_->help(worker.tables->modal_work);
        if (!wait_for(PATTERN) || !obtain_equations(worker, run_, pattern_)) return;
        const bool speculating = own_point >= 1 && own_point < speculative_end_;
        const bool entered =
            speculating && worker.analysis->enter_point(run_.sweep.frequency(own_point), *worker.result);
        if (!take_first_order(worker)) return;
        if (speculating && !claimed_[own_point].exchange(true)) {
            if (entered) worker.analysis->solve_point(*worker.result);
            if (!order_.commit(own_point, *worker.result)) return;
        }
        work_on(worker);
    }

private:
    enum Stage { STARTING, PATTERN, ORDER, OVER };

    // The next point nobody analyses yet; -1 when there is none or the
    // sweep stopped.
    int take_point() {
        for (;;) {
            const int i = next_point_.fetch_add(1);
            if (i >= points_ || order_.stopped()) return -1;
            if (i >= speculative_end_ || !claimed_[i].exchange(true)) return i;
        }
    }

    // Waits until the sweep got as far as `stage`; false when it ended
    // before its first point.
    bool wait_for(Stage stage) {
        std::unique_lock<std::mutex> lock(mutex_);
        stage_changed_.wait(lock, [&] { return stage_ >= stage; });
        return stage_ != OVER;
    }

    // Waits for the first point's pivot order; false when there is none
    // (the sweep stops at the first point) or no memory for the factors.
    bool take_first_order(Worker& worker) {
        return wait_for(ORDER) && (!first_.sparse || worker.sparse->take_first_order(*first_.sparse));
    }

    const SolverRun& run_;
    Worker& first_;
    CommitOrder& order_;
    const int points_;
    const int speculative_end_;
    LineClaims* const first_lines_;
    std::atomic<int> next_point_{1};
    std::atomic<bool> claimed_[MAX_THREADS] = {};
    std::mutex mutex_;
    std::condition_variable stage_changed_;
    Stage stage_ = STARTING;
    const NodalPattern* pattern_ = nullptr;
};

// Starts `count` further workers; those given a point of their own start
// with it (speculating) or else take the points as they come.
std::vector<std::jthread> start_further_workers(SharedSweep& shared, int count, bool speculating) {
    std::vector<std::jthread> threads;
    try {
        threads.reserve(count);
        for (int w = 1; w <= count; ++w)
            threads.emplace_back([&shared, w, speculating] { shared.further_worker(speculating ? w : 0); });
    } catch (const std::exception&) {
        // the workers started so far do the sweep (a point of a worker
        // that did not start is taken as it comes)
    }
    return threads;
}

}  // namespace

void run_frequency_sweep(SolverRun& run, int& error_flag) {
    const SweepOptions& options = run.command.execution;
    const int points = run.sweep.step_count + 1;
    const int all_workers = worker_count(options, points);
    const bool from_the_start =
        all_workers > 1 && (options.threads > 1 || (options.threads == 0 && lines_make_points_long(run.lines)));

    // The first worker's result first: workers that start with the sweep
    // analyse lines of the first point into it meanwhile.
    std::unique_ptr<Worker> first_worker(new (std::nothrow) Worker);
    if (first_worker) first_worker->result.reset(new (std::nothrow) PointResult);
    if (!first_worker || !first_worker->result) return fail_for_memory(run, error_flag);
    Worker& first = *first_worker;
    LineClaims first_lines(run, run.sweep.frequency(0), *first.result);
    std::unique_ptr<NodalPattern> pattern;

    SweepReportSink report(run.report, run.options);
    ParameterFileSink files(run.directory);
    std::unique_ptr<TouchstoneSink> touchstone;
    SweepWriter writer(run);
    SweepProgress progress(points, run.command.quiet);
    CommitOrder order(writer, progress, error_flag, 0);
    SharedSweep shared(run, first, order, points, from_the_start ? all_workers : 1,
                       from_the_start ? &first_lines : nullptr);
    std::vector<std::jthread> threads;  // joined before anything they use goes
    if (from_the_start) threads = start_further_workers(shared, all_workers - 1, true);
    // The sweep ends before its first point: the further workers leave.
    auto stop_before_the_first_point = [&] {
        first_lines.finish();
        shared.publish_pattern(nullptr, false);
    };

    if (sparse_storage(options, run.network)) {
        pattern = NodalPattern::analyse(run.lines, run.network);
        if (!pattern) {
            stop_before_the_first_point();
            return fail_for_memory(run, error_flag);
        }
        if (options.storage == NodalStorage::AUTOMATIC && pattern->density() > FULLEST_SPARSE_PATTERN)
            pattern.reset();
    }
    shared.publish_pattern(pattern.get());
    if (!obtain_tables(first) || !obtain_equations(first, run, pattern.get())) {
        stop_before_the_first_point();
        return fail_for_memory(run, error_flag);
    }

    writer.add_sink(report);
    // The Touchstone file before the parameter files: a name that cannot
    // be written stops the run before they are replaced.
    if (run.command.touchstone) {
        touchstone = std::make_unique<TouchstoneSink>(run, touchstone_path(run));
        writer.add_sink(*touchstone);
    }
    writer.add_sink(files);
    if (!writer.open(error_flag)) return stop_before_the_first_point();

    if (first.sparse) first.sparse->tell_when_first_order_found([&shared] { shared.publish_first_order(); });
    const auto start = std::chrono::steady_clock::now();
    if (first.analysis->enter_point(run.sweep.frequency(0), *first.result, from_the_start ? &first_lines : nullptr))
        first.analysis->solve_point(*first.result);
    const std::chrono::duration<double> first_point = std::chrono::steady_clock::now() - start;
    shared.publish_first_order();
    if (order.commit(0, *first.result)) {
        const bool shared_points = options.threads != 0 || first_point.count() >= SHORTEST_SHARED_POINT_SECONDS;
        if (from_the_start) {
            shared.work_on(first);
        } else if (shared_points && all_workers > 1) {
            threads = start_further_workers(shared, all_workers - 1, false);
            shared.work_on(first);
        } else {
            // One worker: the writer directly, without handing the turn.
            for (int i = 1; i < points; ++i) {
                first.analysis->analyse(run.sweep.frequency(i), *first.result);
                if (!writer.commit(*first.result, error_flag)) break;
                progress.point_done(i + 1);
            }
        }
    }
    threads.clear();
    writer.close(error_flag);
}

}  // namespace solver
