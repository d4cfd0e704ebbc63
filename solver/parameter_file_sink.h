// SPAR.DAT, ZPAR.DAT and YPAR.DAT as a sink of the sweep: one block per
// matrix a point completed, so after a failure SPAR.DAT may hold one block
// more than ZPAR.DAT and ZPAR.DAT one more than YPAR.DAT.
#pragma once

#include <filesystem>

#include "parameter_files.h"
#include "sweep_writer.h"

namespace solver {

class ParameterFileSink : public ResultSink {
public:
    explicit ParameterFileSink(std::filesystem::path directory) : directory_(std::move(directory)) {}

    bool open(PointFailure& failure) override;
    void write(const PointResult& point) override;
    bool intact() const override;
    bool close(PointFailure& failure) override;

private:
    std::filesystem::path directory_;
    ParameterFiles files_;
};

}  // namespace solver
