// The per-second statistics against a scripted clock: when a second ends,
// the rates it gives, the tick's wrap-around, the window title, and what a
// run and the autopilot ask of the power service.
#include "bench/frame_statistics.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fake/recording_power.h"
#include "platform/fake/scripted_clock.h"

namespace {

using platform::fake::RecordingPower;
using platform::fake::ScriptedClock;

// One pass of the loop: the clock moves on, the statistics are updated, a
// run may start (the interval restarts), and the pass may present a frame.
struct Pass {
  double stepMs;
  int triangles;  // of the frame presented; -1: the pass presents none
  bool runStarts = false;
};

std::vector<Pass> Repeat(int count, Pass pass) { return std::vector<Pass>(count, pass); }

std::vector<Pass> Join(std::initializer_list<std::vector<Pass>> parts) {
  std::vector<Pass> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

TEST(FrameStatisticsTest, ASecondCountsPresentedFramesOnlyAndARunStartsItAnew) {
  const struct {
    const char* name;
    std::vector<Pass> passes;
    int seconds;  // updates over the passes
    double fps;
    double megaTris;
    int framesLeft;  // frames counted since the last update
  } cases[] = {
      // The first update measures from tick 0, as the counter starts.
      {"exactly 1000 ms is not yet a second", Repeat(2, {500, 1000000}), 0, 0.0, 0.0, 2},
      // The frame of the pass that ends the second belongs to the next one.
      {"1001 ms ends it", {{500, 1000000}, {501, 1000000}}, 1, 1 / 1.001, 1 / 1.001, 1},
      {"frames of 17 ms: the 59th pass ends it", Repeat(60, {17.0, 2500000}), 1, 58 / 1.003,
       2.5 * 58 / 1.003, 2},
      // The rate is the interval's triangles over its length, not the last
      // frame's count times the frame rate.
      {"frames of different sizes",
       {{400, 1000000}, {400, 3000000}, {201, 0}},
       1,
       2 / 1.001,
       4 / 1.001,
       1},
      {"passes that present nothing are no frames",
       Join({Repeat(100, {5, -1}), {{500, 2000000}, {1, -1}}}), 1, 1 / 1.001, 2 / 1.001, 0},
      // 200 paced loading passes of 5 ms draw nothing; the run starts at
      // 1000 ms and presents a frame of 2 million triangles every 100 ms: its
      // first second holds its own ten frames only.
      {"loading, then a run's first second",
       Join({Repeat(199, {5, -1}), {{5, -1, true}}, Repeat(11, {100, 2000000})}), 1, 10 / 1.1,
       20 / 1.1, 1},
      {"two seconds", Repeat(40, {60.0, 100000}), 2, 17 / 1.02, 0.1 * 17 / 1.02, 7},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedClock clock;
    std::vector<double> steps;
    for (const Pass& pass : c.passes) steps.push_back(pass.stepMs);
    clock.Script(steps);
    RecordingPower power;
    bench::FrameStatistics stats;
    int seconds = 0;
    for (const Pass& pass : c.passes) {
      const uint32_t tick = bench::TickMs(clock.Now(), clock.Frequency());
      if (bench::UpdateFrameStatistics(stats, {tick, false, false}, power)) ++seconds;
      if (pass.runStarts) bench::RestartInterval(stats, tick);
      if (pass.triangles >= 0) bench::CountPresentedFrame(stats, pass.triangles);
    }
    EXPECT_EQ(seconds, c.seconds);
    EXPECT_EQ(stats.secondTicks, c.seconds) << "each second asks for one HUD rebuild";
    EXPECT_NEAR(stats.fps, c.fps, 1e-9);
    EXPECT_NEAR(stats.megaTris, c.megaTris, 1e-9);
    EXPECT_EQ(stats.frameCount, c.framesLeft);
  }
}

// The tick is 32 bits of milliseconds: the difference stays right when it
// wraps (every 49.7 days), and a counter of months does not overflow.
TEST(FrameStatisticsTest, TheTickWrapsAroundWithoutLosingTheSecond) {
  EXPECT_EQ(bench::TickMs(1500000, 1000000), 1500u);
  EXPECT_EQ(bench::TickMs(int64_t{10000000} * 1000000000, 1000000000),
            static_cast<uint32_t>(int64_t{10000000} * 1000));
  EXPECT_EQ(bench::TickMs(12345, 0), 0u);

  ScriptedClock clock(1000);  // one count per millisecond
  clock.Script({4294967000.0, 1500.0});
  RecordingPower power;
  bench::FrameStatistics stats;
  const auto pass = [&] {
    return bench::PassFacts{bench::TickMs(clock.Now(), clock.Frequency()), false, false};
  };
  ASSERT_TRUE(bench::UpdateFrameStatistics(stats, pass(), power));
  bench::CountPresentedFrame(stats, 0);
  ASSERT_TRUE(bench::UpdateFrameStatistics(stats, pass(), power));
  EXPECT_LT(stats.lastTick, 1500u) << "the tick has wrapped";
  EXPECT_NEAR(stats.fps, 1 / 1.5, 1e-9);
}

// Keep-awake follows "a run plays or the autopilot flies" and the service
// hears only of changes; the priority is read once, raised for a run and
// set back afterwards, and the first pass outside a run sets it to what it
// was.
TEST(FrameStatisticsTest, RunAndAutopilotKeepAwakeAndRaiseThePriorityOnce) {
  RecordingPower power;
  power.priority = 3;
  bench::FrameStatistics stats;
  const struct {
    bool playing, autopilot;
    std::vector<std::string> calls;
  } passes[] = {
      {false, false, {"allow sleep", "read priority", "set priority 3"}},
      {false, false, {}},
      {false, true, {"keep awake"}},
      {true, true, {"raise priority"}},
      {true, false, {}},
      {false, false, {"allow sleep", "set priority 3"}},
      {true, false, {"keep awake", "raise priority"}},
      {false, true, {"set priority 3"}},
  };
  for (const auto& p : passes) {
    power.ClearLog();
    bench::UpdateFrameStatistics(stats, {0, p.playing, p.autopilot}, power);
    EXPECT_EQ(power.log(), p.calls) << "playing " << p.playing << " autopilot " << p.autopilot;
    EXPECT_EQ(stats.priorityRaised, p.playing ? 1 : 0);
  }
  EXPECT_EQ(stats.savedPriority, 3);
  EXPECT_EQ(power.priority, 3);
}

TEST(FrameStatisticsTest, WindowTitleShowsFrameRateProductSizeAndRenderer) {
  EXPECT_EQ(bench::BuildWindowTitle(58.824, "Morvandel.Gauge 1.0", 1024, 768, "llvmpipe"),
            "58.8 FPS Morvandel.Gauge 1.0 - 1024 x 768 llvmpipe");
  EXPECT_EQ(bench::BuildWindowTitle(0.04, "P", 800, 500, ""), "0.0 FPS P - 800 x 500 ");
}

}  // namespace
