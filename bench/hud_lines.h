// The lines of the heads-up display, rebuilt once per second.
#pragma once

#include <string>
#include <vector>

namespace bench {

struct HudFacts {
  double fps = 0.0;
  int frameTriangles = 0;  // the last frame's triangles
  double megaTris = 0.0;   // the last second's triangles per second, in millions
  bool playing = false;
  double pathPositionMs = 0.0;
  double pathDurationMs = 0.0;
  bool autopilot = false;
  // The lap flying: counted lap from 1 of `laps`, 0 during a warm-up. A run
  // of one lap without warm-up shows no lap.
  int lap = 1;
  int laps = 1;
};

// "%.1f FPS / %.2f Mega-Tris" (triangles of one frame, in millions),
// "Mega-Tris / sec. %.2f " (the last second's), while a run plays its
// progress "%.2f %" (0 for a path without duration), followed by
// " lap 2 of 3" or " warm-up" when the run has laps, and "Autopilot [F1]"
// while the autopilot flies. The numbers never depend on the locale.
std::vector<std::string> HudLines(const HudFacts& facts);

}  // namespace bench
