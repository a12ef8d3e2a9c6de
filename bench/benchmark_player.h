// The benchmark run: the camera flies the recorded path with time-based
// interpolation, passing at most one keyframe per frame, and the run's
// figures come from the same clock. A run may fly the path several times
// (laps), after an optional warm-up lap that is not counted; each lap is
// measured as a run of its own, and the run's figures are those of all
// counted laps together. Pure: the caller passes the clock's
// reading in milliseconds and applies the result to the settings.
#pragma once

#include <optional>
#include <vector>

#include "bench/benchmark_path.h"
#include "bench/frame_time_figures.h"
#include "bench/lap_figures.h"
#include "bench/triangle_check.h"
#include "scene/camera.h"

namespace bench {

inline constexpr int kMaxLaps = 20;

struct RunPlan {
  int laps = 1;         // counted laps, 1 to kMaxLaps
  bool warmup = false;  // one lap before them that is not counted
};

struct BenchmarkPlayer {
  bool playing = false;
  RunPlan plan;
  int lap = 0;               // laps begun, the warm-up included (1 = the first)
  int index = 0;             // next keyframe to reach
  int frames = 0;            // frames counted during the lap
  double startMs = 0.0;      // clock at the start of the lap
  double firstTimeMs = 0.0;  // timeMs of keyframe 0
  double pathDurationMs = 0.0;
  double pathPositionMs = 0.0;  // target keyframe's time after keyframe 0
  std::vector<Keyframe> keyframes;
  // Highest per-second Mega-Tris; 0 at each start, reported at a normal end.
  float maxMegaTris = 0.0f;
  // Whole seconds measured during the run; a run shorter than a second
  // reports its average as its highest.
  int secondsMeasured = 0;
  // Each frame's time: from the previous playback step to this one.
  std::vector<double> frameTimesMs;
  double lastStepMs = 0.0;
  // The triangles counted in the lap's frames, and whether the last step
  // counted its frame (the first step's frame is not counted).
  int64_t triangles = 0;
  // The counted laps done, and their triangles.
  std::vector<LapFigures> laps;
  int64_t lapsTriangles = 0;
  bool stepCounted = false;
  // The counting against what GL assembled, over sampled frames.
  TriangleCheck triangleCheck;
};

struct RunResult {
  double durationMs = 0.0;
  int frames = 0;
  double averageFps = 0.0;  // 0 when the measured duration is 0
  float maxMegaTris = 0.0f;
  // The run's counted triangles over its duration, in millions per second.
  double averageMegaTris = 0.0;
  // Triangles GL assembled per triangle counted, over the sampled frames;
  // empty when no sample was read.
  std::optional<double> glTrianglesPerCounted;
  FrameTimeFigures frameTimes;
  // Each counted lap, and the spread of their frame rates and Mega-Tris.
  std::vector<LapFigures> laps;
  Spread lapFps;
  Spread lapMegaTris;
};

bool IsPlaying(const BenchmarkPlayer& player);

// Starts playing from the first keyframe. False, and nothing starts, when
// no path is loaded.
bool StartRun(BenchmarkPlayer& player, double nowMs, RunPlan plan = {});

// Whether the lap flying now is the warm-up.
bool InWarmup(const BenchmarkPlayer& player);
// The counted lap flying now, from 1; 0 during the warm-up.
int CountedLap(const BenchmarkPlayer& player);

// One running frame: places the camera on the path. Returns the run's
// result in the frame the path is exhausted (the run then stops).
std::optional<RunResult> PlaybackStep(BenchmarkPlayer& player, double nowMs, scene::Camera& camera);

// After the frame that PlaybackStep placed the camera for is drawn: its
// triangles count towards the run's average when the step counted it.
void NoteFrameTriangles(BenchmarkPlayer& player, int triangles);

// The time a run still needs, judged from its latest frames: every keyframe
// not yet reached takes at least one frame of the median recent length, a
// lap never ends before the path's recorded time has passed, and every lap
// still to come takes as long as a whole one. Empty
// before the first counted frame.
std::optional<double> EstimateRemainingMs(const BenchmarkPlayer& player, double nowMs);

// The share of the whole run flown, every lap the warm-up included, in per
// cent.
double RunProgressPercent(const BenchmarkPlayer& player);
// The laps flown in all, the warm-up included.
int LapsPlanned(const BenchmarkPlayer& player);

// Millions of triangles per second; 0 when the duration is not positive.
double AverageMegaTris(int64_t triangles, double durationMs);

// Stops a run; nothing is reported.
void StopRun(BenchmarkPlayer& player);

// A per-second Mega-Tris measurement; keeps the highest, and while a run
// plays counts one of its whole seconds.
void NoteMegaTris(BenchmarkPlayer& player, float megaTris);

// Average frame rate of frames over durationMs; 0 when the duration is not
// positive.
double AverageFps(int frames, double durationMs);

}  // namespace bench
