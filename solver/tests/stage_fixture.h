// Runs single solver stages on files in a temporary directory and returns
// what they wrote into the run report.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "solver_run.h"
#include "test_directory.h"

namespace solver_test {

class StageTest : public ::testing::Test {
protected:
    void SetUp() override {
        run = std::make_unique<solver::SolverRun>(dir.path(), diagnostics);
        std::string reason;
        ASSERT_TRUE(run->report.open(dir.path() / "VDANOUT.DAT", reason)) << reason;
    }
    // A fresh run (and report) for the next case of a table test.
    void restart() {
        SetUp();
        error_flag = 0;
        diagnostics.str("");
    }
    // Closes the report and returns its bytes.
    std::string report() {
        run->report.close();
        return dir.read("VDANOUT.DAT");
    }

    TestDirectory dir;
    std::ostringstream diagnostics;
    std::unique_ptr<solver::SolverRun> run;
    int error_flag = 0;
};

}  // namespace solver_test
