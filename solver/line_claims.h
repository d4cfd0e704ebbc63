// The modal analyses of one point's lines, shared out between the worker
// that enters the lines into its node matrix (in file order) and helpers
// that have nothing else to do meanwhile: each line is analysed by whoever
// claims it first, the helpers from the last line back. A helper writes the
// line's modes into the point's result (each line has its own part of it)
// and a failure here; the results are those of one worker alone.
#pragma once

#include <atomic>

#include "modal_analysis.h"
#include "point_failure.h"
#include "solver_run.h"
#include "sweep_point.h"

namespace solver {

class LineClaims {
public:
    // The lines of frequency f, into `result`.
    LineClaims(const SolverRun& run, float f, PointResult& result);

    // By a helper, with a workspace of its own: analyses the lines nobody
    // claimed, from the last back, until it meets one that is claimed.
    void help(ModalWorkspace& work);

    // By the entering worker, for each line with modes of its own: whether
    // line k is still its own to analyse (it is claimed then)...
    bool claim(int k);
    // ... or else, once a helper analysed it, false (with the failure in
    // `failure`) when that failed.
    bool wait_for(int k, PointFailure& failure);
    // Claims every line left and waits for those the helpers are analysing:
    // nothing writes into the result any more.
    void finish();

private:
    enum State : int { OPEN, ENTERING_WORKER, HELPER, DONE, FAILED };

    const SolverRun& run_;
    const float f_;
    PointResult& result_;
    bool own_modes_[MAX_LINES] = {};  // no earlier line has the same matrices
    std::atomic<int> state_[MAX_LINES] = {};
    PointFailure failures_[MAX_LINES];
};

}  // namespace solver
