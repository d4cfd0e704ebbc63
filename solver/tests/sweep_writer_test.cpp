// The sweep writer: every sink gets each committed point; a failed point
// still reaches the sinks (with what it completed), then its message and
// diagnostic end the sweep; sinks that cannot open or close are reported.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "stage_fixture.h"
#include "sweep_writer.h"

namespace {

using solver::PointFailure;
using solver::PointResult;

struct RecordingSink : solver::ResultSink {
    bool open(PointFailure& failure) override {
        if (refuse_open) failure = {" CANNOT OPEN", "no room"};
        return !refuse_open;
    }
    void write(const PointResult& point) override { written.push_back(point.frequency); }
    bool intact() const override { return !broken; }
    bool close(PointFailure& failure) override {
        if (broken) failure = {" CANNOT CLOSE", "disk full"};
        return !broken;
    }
    std::vector<float> written;
    bool refuse_open = false, broken = false;
};

class SweepWriterTest : public solver_test::StageTest {
protected:
    std::unique_ptr<PointResult> point = std::make_unique<PointResult>();
    RecordingSink first, second;
};

TEST_F(SweepWriterTest, FailedPointReachesEverySinkThenStopsWithItsMessage) {
    solver::SweepWriter writer(*run);
    writer.add_sink(first);
    writer.add_sink(second);
    ASSERT_TRUE(writer.open(error_flag));
    point->reset(1e6f);
    EXPECT_TRUE(writer.commit(*point, error_flag));
    point->reset(2e6f);
    point->fail({" SOMETHING FAILED", "at 2 MHz: because"});
    EXPECT_FALSE(writer.commit(*point, error_flag));
    writer.close(error_flag);
    EXPECT_EQ(first.written, (std::vector<float>{1e6f, 2e6f}));
    EXPECT_EQ(second.written, first.written);
    EXPECT_EQ(error_flag, 1);
    EXPECT_EQ(report(), "\n\n SOMETHING FAILED\n");
    EXPECT_EQ(diagnostics.str(), "mtlnet: at 2 MHz: because\n");
}

TEST_F(SweepWriterTest, SinkFailuresStopTheSweepAndAreReported) {
    solver::SweepWriter writer(*run);
    writer.add_sink(first);
    first.refuse_open = true;
    EXPECT_FALSE(writer.open(error_flag));
    EXPECT_EQ(error_flag, 1);

    restart();
    solver::SweepWriter second_writer(*run);
    second_writer.add_sink(second);
    ASSERT_TRUE(second_writer.open(error_flag));
    point->reset(1e6f);
    second.broken = true;
    EXPECT_FALSE(second_writer.commit(*point, error_flag));  // the point is written, then the sweep stops
    EXPECT_EQ(error_flag, 0);
    second_writer.close(error_flag);
    EXPECT_EQ(error_flag, 1);
    EXPECT_EQ(report(), "\n\n CANNOT CLOSE\n");
    EXPECT_EQ(diagnostics.str(), "mtlnet: disk full\n");
}

}  // namespace
