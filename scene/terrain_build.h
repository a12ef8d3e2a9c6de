// The CPU half of a terrain build: height map, colour maps, vertex grid and
// the flat-vertex flags of every patch. The GL half (terrain.h) uploads it.
#pragma once

#include <optional>
#include <vector>

#include "scene/colour_maps.h"
#include "scene/height_map.h"
#include "scene/scene_random.h"
#include "scene/terrain_grid.h"
#include "scene/terrain_mesh.h"

namespace scene {

struct TerrainCpuBuild {
  HeightMap heightMap;
  TerrainGrid grid;
  std::optional<ColourMaps> colourMaps;  // empty when painting was impossible
  TerrainVertexGrid vertices;
  int patchesPerSide = 0;
  // Per patch, keyed row * patchesPerSide + column: kPatchSide^2 flags.
  std::vector<std::vector<uint8_t>> flatFlags;
};

// Map size 2^exponent + 1; cell size 17.8 / scale. Paints with random (seeded
// with 2 by the painting).
TerrainCpuBuild BuildTerrainCpu(int exponent, int seed, float scale, const TerrainTiles& tiles,
                                SceneRandom& random);

// Flat-coloured stand-ins used when a tile image is missing.
TerrainTiles FallbackTerrainTiles();

}  // namespace scene
