// The clocks and values that animate the water and the caustics, kept apart
// from GL so that they can be checked on their own.
#pragma once

namespace scene {

inline constexpr int kCausticFrameCount = 32;
// A caustic frame lasts until the clock times 0.03 reaches 5, about 166.7 ms.
inline constexpr double kCausticClockRate = 0.03;
inline constexpr double kCausticFrameSteps = 5.0;
inline constexpr double kCausticFrameMs = kCausticFrameSteps / kCausticClockRate;

// Scroll rates per millisecond of the water surface and the simple-water quad.
inline constexpr double kWaterScrollPerMs = 0.1 * 0.0015;
inline constexpr double kSimpleWaterScrollPerMs = 0.1 * 0.0005;

// What persists from frame to frame; never reset while the program runs.
struct WaterAnimation {
  int causticFrame = 0;
  double causticClockMs = 0.0;
  float waterScroll = 0.0f;
  float simpleWaterScroll = 0.0f;
};

// The caustics are laid only while the camera is no higher than three times
// the water height.
bool CausticsVisible(float cameraY, float waterHeight);

// One caustic step: a frame that has lasted long enough gives way to the
// next (at most one per call, however long the frame time), then the frame
// time is added. A frame time that is not a finite number is not counted.
void AdvanceCausticClock(WaterAnimation& animation, double frameTimeMs);

// The scroll after a frame of frameTimeMs at `ratePerMs`, worked in double
// precision and stored as a float.
float AdvanceScroll(float offset, double frameTimeMs, double ratePerMs);

// The water program's transparency by camera height: 1 above three times
// the water height, otherwise 0.75 + 0.25 (y - h) / h (0.75 at the surface,
// 1.25 at 3h, below 0.75 under water). A water height of 0 has no such
// ratio; the surface value 0.75 stands in for it.
float WaterAlpha(float cameraY, float waterHeight);

// Puts every clock where it would be after `ms` milliseconds of short frames
// from the start: the caustic frame and its clock, both scroll offsets.
void SetAnimationTime(WaterAnimation& animation, double ms);

}  // namespace scene
