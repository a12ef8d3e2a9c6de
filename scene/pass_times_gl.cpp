#include "scene/pass_times_gl.h"

#include <GL/gl.h>

namespace scene {

void BeginPassTimes(PassTimes* times) {
  if (times == nullptr || !times->enabled) return;
  glFinish();
  times->ms.fill(0.0);
  times->last = std::chrono::steady_clock::now();
  times->frameStart = times->last;
}

void MarkPass(PassTimes* times, PassStage stage) {
  if (times == nullptr || !times->enabled) return;
  glFinish();
  const auto now = std::chrono::steady_clock::now();
  times->ms[static_cast<size_t>(stage)] +=
      std::chrono::duration<double, std::milli>(now - times->last).count();
  times->last = now;
}

void AddSpan(PassTimes* times, PassStage stage, std::chrono::steady_clock::time_point since) {
  if (times == nullptr || !times->enabled) return;
  glFinish();
  times->ms[static_cast<size_t>(stage)] +=
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since).count();
}

std::chrono::steady_clock::time_point PassClock(const PassTimes* times) {
  return times != nullptr && times->enabled ? times->last : std::chrono::steady_clock::time_point{};
}

}  // namespace scene
