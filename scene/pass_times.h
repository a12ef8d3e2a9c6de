// Per-stage frame times for finding where a frame's time goes. Off unless a
// developer asks for it (MG_PASS_TIMES=1); when on, every stage ends with
// glFinish so that its GPU work is charged to it, which itself slows the
// frame a little.
#pragma once

#include <array>
#include <chrono>
#include <string>

namespace scene {

enum class PassStage {
  Reflection,  // the whole reflection texture, its own stages included
  ReflectionCopy,
  Clear,
  Caustics,
  Terrain,
  ShoreGrass,
  Palms,
  Bushes,
  LandGrass,
  Sky,
  Water,
  Menu,
  Hud,
  Count
};

struct PassTimes {
  bool enabled = false;
  std::array<double, static_cast<int>(PassStage::Count)> ms{};
  std::chrono::steady_clock::time_point last{};
  std::chrono::steady_clock::time_point frameStart{};
};

// True for "1" (any other value, or none, leaves the timing off).
bool PassTimesRequested(const char* value);

// "pass ms: reflection 12.3 (copy 0.4) clear 0.1 ... total 45.6": the stages
// of one frame in milliseconds, "total" from the frame's start to `end`.
std::string FormatPassTimes(const PassTimes& times, std::chrono::steady_clock::time_point end);

}  // namespace scene
