// The autopilot: a terrain-following wander over the island, driven by a
// generator of its own so that the same frame times give the same flight.
// Pure maths: the diagnostic line goes to the sink the caller passes.
#pragma once

#include <cstdint>
#include <string_view>

#include "scene/camera.h"
#include "scene/height_map.h"
#include "scene/terrain_grid.h"

namespace scene {

// Starts at zero for every run of the program.
struct AutopilotState {
  uint32_t seed = 0;
  int burstCount = 0;  // which of the four forward speeds
  int turnLeft = 0;    // 1 while the wander turns left
};

// Everything the autopilot asks of the terrain.
struct AutopilotTerrain {
  const HeightMap& heights;
  const TerrainGrid& grid;
};

using DebugLineSink = void (*)(std::string_view);

// One frame of the wander: hold about 150 above the highest ground nearby,
// fly on at one of four speeds, keep the pitch between 4.88 and 5.15, drift
// left or right, turn back before the edge (0.85 of the terrain), and start
// again at (0, 130, 0) once off the terrain. Random events are scaled by the
// frame time; a frame too long for them (above 50,000 ms) has none. Writes
// "<clearance> <height>\n" to debugLine.
void AutopilotStep(Camera& camera, AutopilotState& state, const AutopilotTerrain& terrain,
                   double frameTimeMs, DebugLineSink debugLine);

}  // namespace scene
