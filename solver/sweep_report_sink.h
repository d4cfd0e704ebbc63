// The run report's share of the sweep: per frequency the frequency line, the
// modal sections of the lines and the S, Z and Y sections, each unless the
// run options switch it off.
#pragma once

#include "run_report.h"
#include "solver_tables.h"
#include "sweep_writer.h"

namespace solver {

class SweepReportSink : public ResultSink {
public:
    SweepReportSink(RunReport& report, const RunOptions& options) : report_(report), options_(options) {}

    bool open(PointFailure&) override { return true; }
    void write(const PointResult& point) override;
    // The report is the run's log; the driver checks it when it closes it.
    bool intact() const override { return true; }
    bool close(PointFailure&) override { return true; }

private:
    RunReport& report_;
    const RunOptions& options_;
};

}  // namespace solver
