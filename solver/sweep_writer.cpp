#include "sweep_writer.h"

namespace solver {

void SweepWriter::report_failure(const PointFailure& failure, int& error_flag) {
    run_.report.empty_lines(2);
    run_.report.line(failure.message);
    run_.diagnose(failure.diagnostic);
    error_flag = 1;
}

bool SweepWriter::open(int& error_flag) {
    PointFailure failure;
    for (ResultSink* sink : sinks_) {
        if (!sink->open(failure)) {
            report_failure(failure, error_flag);
            return false;
        }
    }
    return true;
}

bool SweepWriter::commit(const PointResult& point, int& error_flag) {
    for (ResultSink* sink : sinks_) sink->write(point);
    if (point.failed) {
        report_failure(point.failure, error_flag);
        return false;
    }
    for (ResultSink* sink : sinks_)
        if (!sink->intact()) return false;
    return true;
}

void SweepWriter::close(int& error_flag) {
    PointFailure failure;
    for (ResultSink* sink : sinks_)
        if (!sink->close(failure)) report_failure(failure, error_flag);
}

}  // namespace solver
