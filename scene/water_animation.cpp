#include "scene/water_animation.h"

#include <cmath>

namespace scene {

bool CausticsVisible(float cameraY, float waterHeight) {
  return !(cameraY - 3.0f * waterHeight > 0);
}

void AdvanceCausticClock(WaterAnimation& animation, double frameTimeMs) {
  // Compared as a double: the integer part of a long clock would not fit an
  // int.
  if (std::floor(animation.causticClockMs * kCausticClockRate) >= kCausticFrameSteps) {
    animation.causticFrame = (animation.causticFrame + 1) % kCausticFrameCount;
    animation.causticClockMs = 0.0;
  }
  if (std::isfinite(frameTimeMs)) animation.causticClockMs += frameTimeMs;
}

float AdvanceScroll(float offset, double frameTimeMs, double ratePerMs) {
  return static_cast<float>(static_cast<double>(offset) + frameTimeMs * ratePerMs);
}

float WaterAlpha(float cameraY, float waterHeight) {
  const float h = waterHeight;
  if (cameraY - 3.0f * h > 0) return 1.0f;
  if (h == 0.0f) return 0.75f;
  return 0.25f / (h / (cameraY - h)) + 0.75f;
}

void SetAnimationTime(WaterAnimation& animation, double ms) {
  const double t = std::isfinite(ms) && ms > 0.0 ? ms : 0.0;
  const double frames = std::floor(t / kCausticFrameMs);
  animation.causticFrame = static_cast<int>(std::fmod(frames, kCausticFrameCount));
  animation.causticClockMs = t - frames * kCausticFrameMs;
  animation.waterScroll = AdvanceScroll(0.0f, t, kWaterScrollPerMs);
  animation.simpleWaterScroll = AdvanceScroll(0.0f, t, kSimpleWaterScrollPerMs);
}

}  // namespace scene
