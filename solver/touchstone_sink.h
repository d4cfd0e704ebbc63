// The Touchstone file of a run (mtlnet --touchstone): the full S matrix of
// every frequency whose S was completed, the same points as SPAR.DAT. It is
// written whole when the sweep ends, completed or failed, and takes the
// place of the old file as the parameter files do: a run that cannot create
// or write it leaves the old one as it was.
#pragma once

#include <filesystem>

#include "replacement_file.h"
#include "solver_run.h"
#include "sweep_writer.h"
#include "touchstone.h"

namespace solver {

class TouchstoneSink : public ResultSink {
public:
    // path: relative to the run's directory.
    TouchstoneSink(const SolverRun& run, std::filesystem::path path);

    bool open(PointFailure& failure) override;
    void write(const PointResult& point) override;
    bool intact() const override { return true; }
    bool close(PointFailure& failure) override;

private:
    const SolverRun& run_;
    std::filesystem::path path_;
    portfiles::TouchstoneNetwork network_;
    ReplacementFile file_;
};

// The file name --touchstone uses without a name: NETWORK.sNp.
std::filesystem::path touchstone_path(const SolverRun& run);

}  // namespace solver
