// Even, logarithmic and uneven frequency lists, and how the Smith chart's
// step legend shows each.
#include "frequency_spacing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "step_legend.h"

namespace {

FrequencySpacing spacing_of(const std::vector<float>& f) {
    return frequency_spacing(f.data(), static_cast<int>(f.size()));
}

std::vector<float> log_sweep(double start, double stop, int points) {
    std::vector<float> f;
    for (int i = 0; i < points; ++i)
        f.push_back(static_cast<float>(start * std::pow(stop / start, static_cast<double>(i) / (points - 1))));
    return f;
}

TEST(FrequencySpacing, SolverSweepsAsPrintedAreEven) {
    std::vector<float> f;
    for (int i = 0; i < 10000; ++i) f.push_back(1.0e6f + static_cast<float>(i) * 1.0e3f);
    f[5000] += 5.0f;  // half a per cent of the step
    EXPECT_EQ(spacing_of(f).kind, SpacingKind::EVEN);
    f[5000] += 10.0f;
    EXPECT_EQ(spacing_of(f).kind, SpacingKind::UNEVEN);
    // 1 Hz steps at 1 GHz: 32-bit reals hold the points only to 64 Hz.
    f.clear();
    for (int i = 0; i < 1000; ++i) f.push_back(1.0e9f + static_cast<float>(i) * 1.0f);
    EXPECT_EQ(spacing_of(f).kind, SpacingKind::EVEN);
    EXPECT_EQ(spacing_of({1e6f, 3e6f}).kind, SpacingKind::EVEN);  // two points are always even
    EXPECT_EQ(spacing_of({3e9f, 2e9f, 1e9f}).kind, SpacingKind::EVEN);  // falling
}

TEST(FrequencySpacing, LogarithmicListsGiveTheirPointsPerDecade) {
    const FrequencySpacing s = spacing_of(log_sweep(1e4, 1e8, 401));
    EXPECT_EQ(s.kind, SpacingKind::LOGARITHMIC);
    EXPECT_NEAR(s.points_per_decade, 100.0, 1e-4);
    EXPECT_NEAR(spacing_of(log_sweep(1e9, 1e6, 31)).points_per_decade, 10.0, 1e-4);  // falling
}

TEST(FrequencySpacing, OtherListsAreUneven) {
    EXPECT_EQ(spacing_of({1e6f, 2e6f, 3e6f, 5e6f}).kind, SpacingKind::UNEVEN);
    EXPECT_EQ(spacing_of({0.0f, 1e3f, 1e4f, 1e5f}).kind, SpacingKind::UNEVEN);  // a DC point: not logarithmic
    EXPECT_EQ(spacing_of({1e6f, NAN, 3e6f}).kind, SpacingKind::UNEVEN);
}

TEST(StepLegend, EvenSweepsKeepTheirStepOthersSayWhatTheyShow) {
    EXPECT_EQ(step_legend_text({}, 1e7f, 300, 1e9f, 'G'), "fstep  0.0100 GHz");
    FrequencySpacing log{SpacingKind::LOGARITHMIC, 100.0};
    EXPECT_EQ(step_legend_text(log, 2.5e5f, 401, 1e6f, 'M'), "log    100.00/dec");
    FrequencySpacing uneven{SpacingKind::UNEVEN, 0};
    EXPECT_EQ(step_legend_text(uneven, 2.5e5f, 401, 1e6f, 'M'), "uneven    401 pts");
    for (const auto& s : {FrequencySpacing{}, log, uneven}) EXPECT_EQ(step_legend_text(s, 1, 2, 1, ' ').size(), 17u);
}

}  // namespace
