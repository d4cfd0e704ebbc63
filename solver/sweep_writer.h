// The one writer of the sweep's results: it commits the value of every
// frequency, strictly in sweep order, to each of its sinks (the run report,
// the parameter files, any further output), and turns a failed point into
// the run's message and diagnostic.
#pragma once

#include <vector>

#include "point_failure.h"
#include "solver_run.h"
#include "sweep_point.h"

namespace solver {

// A destination of the sweep's results.
class ResultSink {
public:
    virtual ~ResultSink() = default;
    // Called once before the first point; false (with the run's message and
    // diagnostic in `failure`) when the sink cannot be created.
    virtual bool open(PointFailure& failure) = 0;
    // Writes what the point holds; a failed point writes what it completed.
    virtual void write(const PointResult& point) = 0;
    // False once something could not be written.
    virtual bool intact() const = 0;
    // Called once after the last point; false (with `failure` filled) when
    // not everything could be written.
    virtual bool close(PointFailure& failure) = 0;
};

class SweepWriter {
public:
    explicit SweepWriter(SolverRun& run) : run_(run) {}

    // Sinks receive the points in the order they were added.
    void add_sink(ResultSink& sink) { sinks_.push_back(&sink); }

    // Opens every sink; on the first failure reports it and returns false.
    bool open(int& error_flag);
    // Commits one point to every sink, then a failure's message and
    // diagnostic. False when the sweep must stop: the point failed or a sink
    // could not write it.
    bool commit(const PointResult& point, int& error_flag);
    // Closes every sink and reports what could not be written.
    void close(int& error_flag);

private:
    void report_failure(const PointFailure& failure, int& error_flag);

    SolverRun& run_;
    std::vector<ResultSink*> sinks_;
};

}  // namespace solver
