// Playback of the camera path against a clock the test moves: the pose
// between keyframes, at most one keyframe per frame, and the run's result.
#include "bench/benchmark_player.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using bench::BenchmarkPlayer;
using bench::Keyframe;

// Three keyframes 100 ms apart; yaw crosses 2 pi between the first two.
BenchmarkPlayer ThreeKeyframePlayer() {
  BenchmarkPlayer player;
  player.keyframes = {{0.0f, 100.0f, 0.0f, 6.2f, 4.7f, 0.0f, 1000.0},
                      {10.0f, 200.0f, -20.0f, 0.1f, 4.9f, 1.0f, 1100.0},
                      {20.0f, 300.0f, -40.0f, 0.3f, 5.1f, 2.0f, 1200.0}};
  return player;
}

TEST(BenchmarkPlayerTest, InterpolatesBetweenKeyframesTurningTheShortWay) {
  BenchmarkPlayer player = ThreeKeyframePlayer();
  scene::Camera camera;
  ASSERT_TRUE(bench::StartRun(player, 500.0));
  EXPECT_FALSE(bench::PlaybackStep(player, 500.0, camera));
  EXPECT_EQ(camera.position.y, 100.0f) << "the first frame shows keyframe 0";
  EXPECT_EQ(player.index, 1);

  // A quarter of the way to keyframe 1: f = 0.75 of the segment still ahead.
  EXPECT_FALSE(bench::PlaybackStep(player, 525.0, camera));
  EXPECT_EQ(player.index, 1) << "keyframe 1 is not reached yet";
  EXPECT_FLOAT_EQ(camera.position.x, 2.5f);
  EXPECT_FLOAT_EQ(camera.position.y, 125.0f);
  EXPECT_FLOAT_EQ(camera.position.z, -5.0f);
  // From 6.2 to 0.1 is a turn of +0.183 through 2 pi, not -6.1 back.
  const float turn = 0.1f + 6.2831855f - 6.2f;
  EXPECT_NEAR(camera.yaw, 0.1f - 0.75f * turn, 1e-5f);
  EXPECT_NEAR(camera.pitch, 4.75f, 1e-5f);
  EXPECT_NEAR(camera.yaw2, 0.25f, 1e-5f);

  EXPECT_FALSE(bench::PlaybackStep(player, 600.0, camera));
  EXPECT_EQ(player.index, 2);
  EXPECT_EQ(camera.position.y, 200.0f) << "reaching a keyframe shows it exactly";
  EXPECT_DOUBLE_EQ(player.pathPositionMs, 100.0);
  EXPECT_DOUBLE_EQ(player.pathDurationMs, 200.0);
}

TEST(BenchmarkPlayerTest, PassesAtMostOneKeyframePerFrameSoASlowRunTakesLonger) {
  BenchmarkPlayer player = ThreeKeyframePlayer();
  scene::Camera camera;
  ASSERT_TRUE(bench::StartRun(player, 0.0));
  // One frame per second against a 200 ms path.
  double now = 0.0;
  std::optional<bench::RunResult> result;
  int steps = 0;
  // The frame of step n has (n + 1) million triangles; the first is not
  // counted, and the step that ends the run draws after the result.
  for (; !result && steps < 10; ++steps, now += 1000.0) {
    EXPECT_EQ(player.index, steps);
    result = bench::PlaybackStep(player, now, camera);
    if (steps == 1) {
      EXPECT_DOUBLE_EQ(*bench::EstimateRemainingMs(player, now), 2000.0)
          << "a second a frame, and two frames to go: keyframe 2's and the last";
    }
    bench::NoteFrameTriangles(player, (steps + 1) * 1000000);
  }
  ASSERT_TRUE(result);
  EXPECT_EQ(steps, 4) << "three keyframes, then the frame that ends the run";
  EXPECT_DOUBLE_EQ(result->averageMegaTris, (2.0 + 3.0) / 3.0)
      << "frames 1 and 2 over the run's 3 s";
  EXPECT_FALSE(bench::IsPlaying(player));
  EXPECT_DOUBLE_EQ(result->durationMs, 3000.0);
  EXPECT_EQ(result->frames, 2) << "the first frame is not counted";
  EXPECT_DOUBLE_EQ(result->averageFps, 2.0 / 3.0);
  EXPECT_DOUBLE_EQ(result->frameTimes.maximumMs, 1000.0);
  EXPECT_FALSE(bench::PlaybackStep(player, now, camera)) << "an ended run stays ended";
}

// A fast machine follows the path's recorded time, a slow one needs a frame
// per keyframe: the estimate takes the longer of the two.
TEST(BenchmarkPlayerTest, RemainingTimeIsTheLongerOfFramesAndPathTime) {
  BenchmarkPlayer player = ThreeKeyframePlayer();
  scene::Camera camera;
  EXPECT_FALSE(bench::EstimateRemainingMs(player, 0.0)) << "no run";
  ASSERT_TRUE(bench::StartRun(player, 0.0));
  bench::PlaybackStep(player, 0.0, camera);
  EXPECT_FALSE(bench::EstimateRemainingMs(player, 0.0)) << "no frame counted yet";
  for (const double now : {10.0, 20.0, 30.0}) bench::PlaybackStep(player, now, camera);
  ASSERT_EQ(player.index, 1);
  // 10 ms a frame and three frames to go is 30 ms; the path has 170 ms left.
  EXPECT_DOUBLE_EQ(*bench::EstimateRemainingMs(player, 30.0), 170.0);
}

// Each lap is measured as a run of its own; the warm-up lap counts for
// nothing; the run's figures are all counted laps' frames over their time.
TEST(BenchmarkPlayerTest, LapsAfterAWarmupAreEachMeasuredAndTogetherMakeTheRun) {
  BenchmarkPlayer player = ThreeKeyframePlayer();
  scene::Camera camera;
  ASSERT_TRUE(bench::StartRun(player, 0.0, {2, true}));
  // Frames of 1 s in the warm-up, 1 s in the first counted lap, 0.5 s in the
  // second; every frame has a million triangles.
  double now = 0.0;
  std::optional<bench::RunResult> result;
  std::vector<int> lapsSeen;
  for (int steps = 0; !result && steps < 40; ++steps) {
    lapsSeen.push_back(bench::CountedLap(player));
    result = bench::PlaybackStep(player, now, camera);
    bench::NoteFrameTriangles(player, 1000000);
    if (bench::InWarmup(player)) bench::NoteMegaTris(player, 99.0f);
    now += player.lap == 3 ? 500.0 : 1000.0;
  }
  ASSERT_TRUE(result);
  EXPECT_EQ(lapsSeen, (std::vector<int>{0, 0, 0, 0, 1, 1, 1, 2, 2, 2}))
      << "the step that ends a lap shows the next one's first keyframe";
  ASSERT_EQ(result->laps.size(), 2u);
  EXPECT_EQ(result->laps[0].frames, 2);
  EXPECT_DOUBLE_EQ(result->laps[0].durationMs, 3000.0);
  EXPECT_DOUBLE_EQ(result->laps[0].averageFps, 2.0 / 3.0);
  EXPECT_DOUBLE_EQ(result->laps[1].durationMs, 1500.0);
  EXPECT_DOUBLE_EQ(result->laps[1].averageFps, 2.0 / 1.5);
  EXPECT_DOUBLE_EQ(result->laps[1].averageMegaTris, 2.0 / 1.5);
  EXPECT_EQ(result->frames, 4);
  EXPECT_DOUBLE_EQ(result->durationMs, 4500.0);
  EXPECT_DOUBLE_EQ(result->averageFps, 4.0 / 4.5) << "all frames over all time, not a mean";
  EXPECT_DOUBLE_EQ(result->averageMegaTris, 4.0 / 4.5);
  EXPECT_NE(result->maxMegaTris, 99.0f) << "the warm-up's seconds are forgotten";
  EXPECT_DOUBLE_EQ(result->lapFps.mean, (2.0 / 3.0 + 2.0 / 1.5) / 2.0);
  EXPECT_TRUE(result->lapFps.cvPercent);
  EXPECT_EQ(result->frameTimes.maximumMs, 1000.0);
}

TEST(BenchmarkPlayerTest, RunWithNoMeasuredDurationReportsZeroNotADivisionByZero) {
  BenchmarkPlayer player = ThreeKeyframePlayer();
  player.keyframes.pop_back();
  scene::Camera camera;
  ASSERT_TRUE(bench::StartRun(player, 42.0));
  std::optional<bench::RunResult> result;
  for (int i = 0; i < 3 && !result; ++i) result = bench::PlaybackStep(player, 42.0, camera);
  ASSERT_TRUE(result);
  EXPECT_EQ(result->durationMs, 0.0);
  EXPECT_EQ(result->frames, 1);
  EXPECT_EQ(result->averageFps, 0.0);
  EXPECT_EQ(result->frameTimes.onePercentLowFps, 0.0);
}

TEST(BenchmarkPlayerTest, HighestMegaTrisStartsFromZeroAtEachRun) {
  BenchmarkPlayer player = ThreeKeyframePlayer();
  bench::NoteMegaTris(player, 9.0f);  // measured before the run
  scene::Camera camera;
  for (const float during : {2.5f, 1.5f}) {
    ASSERT_TRUE(bench::StartRun(player, 0.0));
    EXPECT_EQ(player.maxMegaTris, 0.0f);
    bench::NoteMegaTris(player, during);
    bench::NoteMegaTris(player, during / 2);
    std::optional<bench::RunResult> result;
    for (double now = 0.0; !result; now += 100.0) result = bench::PlaybackStep(player, now, camera);
    EXPECT_EQ(result->maxMegaTris, during);
  }
  // A run shorter than a second has no whole second to take the highest
  // from: its average stands in, never a 0.
  ASSERT_TRUE(bench::StartRun(player, 0.0));
  std::optional<bench::RunResult> result;
  for (double now = 0.0; !result; now += 100.0) {
    result = bench::PlaybackStep(player, now, camera);
    bench::NoteFrameTriangles(player, 1000000);
  }
  EXPECT_FLOAT_EQ(result->maxMegaTris, 2.0f / 0.3f);
  EXPECT_DOUBLE_EQ(result->averageMegaTris, 2.0 / 0.3);
}

TEST(BenchmarkPlayerTest, NoRunStartsWithoutAPathAndStopEndsOne) {
  BenchmarkPlayer empty;
  EXPECT_FALSE(bench::StartRun(empty, 0.0));
  EXPECT_FALSE(bench::IsPlaying(empty));

  BenchmarkPlayer player = ThreeKeyframePlayer();
  scene::Camera camera;
  ASSERT_TRUE(bench::StartRun(player, 0.0));
  bench::PlaybackStep(player, 0.0, camera);
  bench::StopRun(player);
  EXPECT_FALSE(bench::IsPlaying(player));
  EXPECT_FALSE(bench::PlaybackStep(player, 5000.0, camera)) << "a stopped run reports nothing";
  EXPECT_EQ(camera.position.y, 100.0f) << "and no longer moves the camera";
}

}  // namespace
