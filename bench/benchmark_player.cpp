#include "bench/benchmark_player.h"

#include <algorithm>

namespace bench {
namespace {

// The estimate of the time left looks at this many of the latest frames.
constexpr size_t kEstimateFrames = 64;

void SetPose(scene::Camera& camera, const Keyframe& k) {
  scene::SetPose(camera, {k.x, k.y, k.z}, {k.yaw, k.pitch, k.yaw2});
}

// Between p and n, with f the fraction of the segment still ahead (1 at p,
// 0 at n); angles turn the short way round.
void SetInterpolatedPose(scene::Camera& camera, const Keyframe& p, const Keyframe& n, float f) {
  const scene::CVector3 position{n.x + f * (p.x - n.x), n.y + f * (p.y - n.y),
                                 n.z + f * (p.z - n.z)};
  const scene::CVector3 angles{n.yaw + f * scene::AngleDelta(n.yaw, p.yaw),
                               n.pitch + f * scene::AngleDelta(n.pitch, p.pitch),
                               n.yaw2 + f * scene::AngleDelta(n.yaw2, p.yaw2)};
  scene::SetPose(camera, position, angles);
}

void BeginLap(BenchmarkPlayer& player, double nowMs) {
  player.lap += 1;
  player.index = 0;
  player.frames = 0;
  player.triangles = 0;
  player.startMs = nowMs;
  player.lastStepMs = nowMs;
  player.pathPositionMs = 0.0;
}

// What a warm-up measured is forgotten: the counted laps start afresh.
void ForgetWarmup(BenchmarkPlayer& player) {
  player.maxMegaTris = 0.0f;
  player.secondsMeasured = 0;
  player.frameTimesMs.clear();
  player.triangleCheck = {};
}

RunResult Finish(BenchmarkPlayer& player) {
  RunResult result;
  std::vector<double> fps, megaTris;
  for (const LapFigures& lap : player.laps) {
    result.durationMs += lap.durationMs;
    result.frames += lap.frames;
    fps.push_back(lap.averageFps);
    megaTris.push_back(lap.averageMegaTris);
  }
  result.averageFps = AverageFps(result.frames, result.durationMs);
  result.averageMegaTris = AverageMegaTris(player.lapsTriangles, result.durationMs);
  result.maxMegaTris =
      player.secondsMeasured > 0 ? player.maxMegaTris : static_cast<float>(result.averageMegaTris);
  result.glTrianglesPerCounted = AssembledPerCounted(player.triangleCheck);
  result.frameTimes = ComputeFrameTimeFigures(player.frameTimesMs);
  result.laps = player.laps;
  result.lapFps = SpreadOf(fps);
  result.lapMegaTris = SpreadOf(megaTris);
  player.playing = false;
  return result;
}

// The path is exhausted: the lap's figures are kept (a warm-up's are not),
// and the next lap begins in this step, or the run ends with its result.
std::optional<RunResult> EndLap(BenchmarkPlayer& player, double nowMs) {
  player.frameTimesMs.push_back(nowMs - player.lastStepMs);
  if (InWarmup(player)) {
    ForgetWarmup(player);
  } else {
    LapFigures lap;
    lap.durationMs = nowMs - player.startMs;
    lap.frames = player.frames;
    lap.averageFps = AverageFps(lap.frames, lap.durationMs);
    lap.averageMegaTris = AverageMegaTris(player.triangles, lap.durationMs);
    player.laps.push_back(lap);
    player.lapsTriangles += player.triangles;
  }
  if (static_cast<int>(player.laps.size()) >= player.plan.laps) return Finish(player);
  BeginLap(player, nowMs);
  return std::nullopt;
}

}  // namespace

bool IsPlaying(const BenchmarkPlayer& player) { return player.playing; }

bool StartRun(BenchmarkPlayer& player, double nowMs, RunPlan plan) {
  if (player.keyframes.empty()) return false;
  player.plan = plan;
  player.plan.laps = std::clamp(plan.laps, 1, kMaxLaps);
  player.lap = 0;
  player.pathDurationMs = player.keyframes.back().timeMs - player.keyframes.front().timeMs;
  player.frameTimesMs.clear();
  player.frameTimesMs.reserve(player.keyframes.size() * 2);
  ForgetWarmup(player);
  player.laps.clear();
  player.lapsTriangles = 0;
  player.stepCounted = false;
  BeginLap(player, nowMs);
  player.playing = true;
  return true;
}

bool InWarmup(const BenchmarkPlayer& player) { return player.plan.warmup && player.lap == 1; }

int CountedLap(const BenchmarkPlayer& player) {
  return InWarmup(player) ? 0 : player.lap - (player.plan.warmup ? 1 : 0);
}

std::optional<RunResult> PlaybackStep(BenchmarkPlayer& player, double nowMs,
                                      scene::Camera& camera) {
  if (!player.playing) return std::nullopt;
  player.stepCounted = false;
  const auto count = static_cast<int>(player.keyframes.size());
  if (player.index >= count) {
    if (std::optional<RunResult> result = EndLap(player, nowMs)) return result;
  }
  if (player.index > 0) player.frameTimesMs.push_back(nowMs - player.lastStepMs);
  player.lastStepMs = nowMs;
  player.frames += 1;
  const Keyframe& k = player.keyframes[static_cast<size_t>(player.index)];
  if (player.index == 0) {
    player.firstTimeMs = k.timeMs;
    player.frames = 0;
    player.pathPositionMs = 0.0;
    SetPose(camera, k);
    player.index += 1;
    return std::nullopt;
  }
  player.stepCounted = true;
  if (player.index + 1 < count) {
    player.pathPositionMs = k.timeMs - player.keyframes.front().timeMs;
    const double elapsed = nowMs - player.startMs;
    if (player.pathPositionMs > elapsed) {
      const Keyframe& p = player.keyframes[static_cast<size_t>(player.index - 1)];
      const double f = (player.pathPositionMs - elapsed) / (k.timeMs - p.timeMs);
      SetInterpolatedPose(camera, p, k, static_cast<float>(f));
      return std::nullopt;
    }
    SetPose(camera, k);
    player.index += 1;
  } else {
    SetPose(camera, k);
    player.index += 1;
  }
  return std::nullopt;
}

void NoteFrameTriangles(BenchmarkPlayer& player, int triangles) {
  if (player.playing && player.stepCounted) player.triangles += triangles;
}

std::optional<double> EstimateRemainingMs(const BenchmarkPlayer& player, double nowMs) {
  const double elapsed = nowMs - player.startMs;
  if (!player.playing || player.frameTimesMs.empty() || elapsed <= 0.0) return std::nullopt;
  // The typical recent frame: the median of the last frames, so that the
  // first frames' one-off costs do not make the whole run look slow. Still
  // to come: the frame of this step, one for each keyframe not yet reached,
  // and then the step that ends the run.
  const size_t recent = std::min<size_t>(player.frameTimesMs.size(), kEstimateFrames);
  std::vector<double> times(player.frameTimesMs.end() - static_cast<std::ptrdiff_t>(recent),
                            player.frameTimesMs.end());
  std::nth_element(times.begin(), times.begin() + static_cast<std::ptrdiff_t>(recent / 2),
                   times.end());
  const double msPerFrame = times[recent / 2];
  const auto keyframes = static_cast<double>(player.keyframes.size());
  const double framesLeft = keyframes - player.index + 1;
  const double thisLap = std::max(framesLeft * msPerFrame, player.pathDurationMs - elapsed);
  const double wholeLap = std::max((keyframes + 1) * msPerFrame, player.pathDurationMs);
  return thisLap + (LapsPlanned(player) - player.lap) * wholeLap;
}

double RunProgressPercent(const BenchmarkPlayer& player) {
  const double lapShare =
      player.pathDurationMs > 0.0 ? player.pathPositionMs / player.pathDurationMs : 0.0;
  return (player.lap - 1 + lapShare) / LapsPlanned(player) * 100.0;
}

int LapsPlanned(const BenchmarkPlayer& player) {
  return player.plan.laps + (player.plan.warmup ? 1 : 0);
}

double AverageMegaTris(int64_t triangles, double durationMs) {
  return durationMs > 0.0 ? static_cast<double>(triangles) * 1e-6 / (durationMs * 0.001) : 0.0;
}

void StopRun(BenchmarkPlayer& player) { player.playing = false; }

void NoteMegaTris(BenchmarkPlayer& player, float megaTris) {
  if (player.playing) ++player.secondsMeasured;
  if (megaTris > player.maxMegaTris) player.maxMegaTris = megaTris;
}

double AverageFps(int frames, double durationMs) {
  return durationMs > 0.0 ? frames / durationMs * 1000.0 : 0.0;
}

}  // namespace bench
