#include "scene/terrain_build.h"

#include <thread>

#include "scene/parallel_rows.h"

namespace scene {

TerrainCpuBuild BuildTerrainCpu(int exponent, int seed, float scale, const TerrainTiles& tiles,
                                SceneRandom& random) {
  TerrainCpuBuild build;
  GenerateHeightMap(build.heightMap, exponent, seed);
  build.grid.width = build.heightMap.width;
  build.grid.height = build.heightMap.height;
  build.grid.cellSize = static_cast<float>(17.8 / scale);
  build.grid.heightScale = 8.4f;

  // The painting is one serial sequence of random draws; the mesh arrays do
  // not depend on it, so both run side by side.
  std::thread painter([&] { build.colourMaps = BuildColourMaps(build.heightMap, tiles, random); });
  build.vertices = BuildVertexGrid(build.heightMap, build.grid);
  build.patchesPerSide = (build.grid.width - 1) / (kPatchSide - 1);
  const int patches = build.patchesPerSide * build.patchesPerSide;
  build.flatFlags.resize(patches);
  ParallelRows(0, patches, [&](int first, int last) {
    for (int key = first; key < last; ++key) {
      const int row = key / build.patchesPerSide, column = key % build.patchesPerSide;
      build.flatFlags[key] = FindFlatVertices(build.vertices, row * (kPatchSide - 1),
                                              column * (kPatchSide - 1), kPatchSide);
    }
  });
  painter.join();
  return build;
}

TerrainTiles FallbackTerrainTiles() {
  TerrainTiles tiles;
  tiles.middle = MakePixelImage(1, 1, 0xFF4F7A32u);
  tiles.high = MakePixelImage(1, 1, 0xFF7F7A72u);
  tiles.low = MakePixelImage(1, 1, 0xFFD2C08Cu);
  tiles.base = MakePixelImage(1, 1, 0xFF6B5F48u);
  return tiles;
}

}  // namespace scene
