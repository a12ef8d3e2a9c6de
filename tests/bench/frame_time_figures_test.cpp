// The run's frame-time figures against values worked out by hand.
#include "bench/frame_time_figures.h"

#include <gtest/gtest.h>

namespace {

std::vector<double> Repeat(double ms, int count) {
  return std::vector<double>(static_cast<size_t>(count), ms);
}

std::vector<double> Join(std::vector<double> a, const std::vector<double>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST(FrameTimeFiguresTest, MatchesHandWorkedTable) {
  const struct {
    const char* what;
    std::vector<double> times;
    bench::FrameTimeFigures expected;
  } cases[] = {
      {"no frames", {}, {0, 0, 0, 0, 0}},
      // One frame is its own slowest 1 %.
      {"one frame", {40}, {40, 40, 40, 40, 25}},
      // Unsorted input; even count: median (20 + 30) / 2; rank ceil(3.96) = 4.
      {"four frames", {30, 10, 50, 20}, {10, 25, 50, 50, 20}},
      // 200 frames: 198 of 10 ms, then 40 and 60. The 99th percentile is
      // rank 198 (10 ms); the slowest 1 % are 2 frames, mean 50 ms -> 20 FPS.
      {"two slow in 200", Join(Repeat(10, 198), {40, 60}), {10, 10, 10, 60, 20}},
      // 101 frames: slowest 1 % rounds up to 2 frames (100 and 16 ms, mean
      // 58 ms); rank ceil(99.99) = 100 is 16 ms.
      {"101 frames", Join(Repeat(16, 100), {100}), {16, 16, 16, 100, 1000.0 / 58.0}},
      // A measured time of 0 everywhere: no division by it.
      {"all zero", Repeat(0, 5), {0, 0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    const bench::FrameTimeFigures f = bench::ComputeFrameTimeFigures(c.times);
    EXPECT_DOUBLE_EQ(f.minimumMs, c.expected.minimumMs) << c.what;
    EXPECT_DOUBLE_EQ(f.medianMs, c.expected.medianMs) << c.what;
    EXPECT_DOUBLE_EQ(f.percentile99Ms, c.expected.percentile99Ms) << c.what;
    EXPECT_DOUBLE_EQ(f.maximumMs, c.expected.maximumMs) << c.what;
    EXPECT_DOUBLE_EQ(f.onePercentLowFps, c.expected.onePercentLowFps) << c.what;
  }
}

}  // namespace
