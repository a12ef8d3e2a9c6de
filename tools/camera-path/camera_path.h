// The benchmark's camera path: a flight in from the sea, along the south
// shore past the palms, up over the highlands, back down to the sea, a dip
// under the water and out to sea again. The flight is a spline through fixed
// waypoints; its height is then raised wherever the terrain or a palm needs
// it, and its view follows the direction of flight.
#pragma once

#include <vector>

#include "bench/benchmark_path.h"
#include "scene/height_map.h"
#include "scene/terrain_grid.h"
#include "scene/vector3.h"

namespace camera_path {

inline constexpr int kKeyframes = 1620;
inline constexpr double kDurationMs = 60000.0;
// Clearance above the highest terrain around each keyframe (world units).
inline constexpr float kTerrainMargin = 40.0f;
// Within this horizontal distance of a palm the flight passes above its top.
inline constexpr float kTrunkDistance = 250.0f;
// The palm model's trunk reaches this far above its base.
inline constexpr float kPalmHeight = 780.0f;
inline constexpr float kPalmMargin = 100.0f;
// The water plane's height as the program draws it.
inline constexpr float kWaterHeight = 131.5f;

// The island the program builds: height map 11 616 on the program's grid,
// and the palm positions placement gives it.
struct Island {
  scene::HeightMap map;
  scene::TerrainGrid grid;
  std::vector<scene::CVector3> palms;
};
// False when the height map has no statistics.
bool BuildIsland(Island& island);

// Highest terrain around (x, z) over a few grid cells, world units.
float TerrainTop(const Island& island, float x, float z);

// The lowest height the camera may fly at over (x, z): above the terrain by
// the margin and, near a palm, above its top.
float FlightFloor(const Island& island, float x, float z);

// kKeyframes keyframes, evenly spaced over kDurationMs. Same island, same
// path.
std::vector<bench::Keyframe> FlyPath(const Island& island);

}  // namespace camera_path
