// The terrain's world layout and the questions other parts of the scene ask
// about it: height around a point, and the world rectangle it covers.
#pragma once

#include "scene/height_map.h"

namespace scene {

struct TerrainGrid {
  // World distance between neighbouring grid points (17.8 / build scale).
  float cellSize = 17.8f;
  // World height per map unit.
  float heightScale = 8.4f;
  // Grid points per side; 0 until the terrain is built.
  int width = 0;
  int height = 0;
};

struct TerrainHeightSample {
  float mean = 0.0f;
  float maximum = 0.0f;
  float minimum = 0.0f;
};

// Heights (world units) around world point (x, z) over the (2 * radius)^2
// grid cells around it; cells outside the map are read at the nearest edge.
// All zero when the map has no statistics or no grid exists yet.
TerrainHeightSample SampleTerrainHeight(const HeightMap& map, const TerrainGrid& grid, int x, int z,
                                        int radius);

struct TerrainRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// (-hx, -hz, +hx, +hz): half-extents in grid steps (scaled by factor unless
// it is 1), times the cell size, truncated.
TerrainRect GetTerrainBounds(const TerrainGrid& grid, float factor);

}  // namespace scene
