#include "bench/frame_statistics.h"

#include <charconv>

namespace bench {
namespace {

void KeepAwakeWhile(FrameStatistics& stats, bool wanted, platform::Power& power) {
  if (stats.keepAwake == wanted) return;
  power.KeepAwake(wanted);
  stats.keepAwake = wanted;
}

void FollowRunPriority(FrameStatistics& stats, bool playing, platform::Power& power) {
  if (playing) {
    if (stats.priorityRaised == 1) return;
    stats.priorityRaised = 1;
    if (stats.savedPriority == kNotYet) stats.savedPriority = power.ThreadPriority();
    power.RaiseThreadPriority();
  } else if (stats.priorityRaised != 0) {
    stats.priorityRaised = 0;
    if (stats.savedPriority == kNotYet) stats.savedPriority = power.ThreadPriority();
    power.SetThreadPriority(stats.savedPriority);
  }
}

}  // namespace

uint32_t TickMs(int64_t counter, int64_t frequency) {
  if (frequency <= 0) return 0;
  // Whole seconds and the rest apart, so that a counter of a machine that
  // has run for months does not overflow when scaled.
  const int64_t ms = counter / frequency * 1000 + counter % frequency * 1000 / frequency;
  return static_cast<uint32_t>(ms);
}

void CountPresentedFrame(FrameStatistics& stats, int triangles) {
  ++stats.frameCount;
  stats.windowTriangles += triangles;
}

void RestartInterval(FrameStatistics& stats, uint32_t tickMs) {
  stats.frameCount = 0;
  stats.windowTriangles = 0;
  stats.lastTick = tickMs;
}

bool TakeHudRebuild(FrameStatistics& stats, bool showInfo) {
  if (!showInfo || stats.secondTicks == 0) return false;
  stats.secondTicks = 0;
  return true;
}

bool UpdateFrameStatistics(FrameStatistics& stats, const PassFacts& pass, platform::Power& power) {
  const uint32_t elapsed = pass.tickMs - stats.lastTick;
  KeepAwakeWhile(stats, pass.playing || pass.autopilot, power);
  FollowRunPriority(stats, pass.playing, power);
  if (elapsed <= 1000) return false;
  const double seconds = elapsed * 0.001;
  stats.fps = stats.frameCount / seconds;
  ++stats.secondTicks;
  stats.megaTris = static_cast<double>(stats.windowTriangles) * 1e-6 / seconds;
  RestartInterval(stats, pass.tickMs);
  return true;
}

std::string BuildWindowTitle(double fps, const std::string& product, int width, int height,
                             const std::string& renderer) {
  char number[64];
  const auto end = std::to_chars(number, number + sizeof number, fps, std::chars_format::fixed, 1);
  return std::string(number, end.ptr) + " FPS " + product + " - " + std::to_string(width) + " x " +
         std::to_string(height) + " " + renderer;
}

}  // namespace bench
