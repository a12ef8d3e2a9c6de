// Start-up cost of the scene objects on the program's island (exponent 11,
// seed 616): placement of every set, then the cell bucketing of both grass
// sets. The terrain itself is built once outside the timing.
#include <benchmark/benchmark.h>

#include "scene/colour_maps.h"
#include "scene/grass_cells.h"
#include "scene/placement.h"
#include "scene/terrain_build.h"

namespace {

struct Island {
  scene::HeightMap map;
  scene::TerrainGrid grid;
  scene::SceneRandom painted;  // where the colour-map painting left it
};

const Island& ProgramIsland() {
  static const Island island = [] {
    Island built;
    scene::GenerateHeightMap(built.map, 11, 616);
    built.grid = {17.8f, 8.4f, built.map.width, built.map.height};
    scene::PaintColourMaps(built.map, scene::FallbackTerrainTiles(), built.painted);
    return built;
  }();
  return island;
}

void BM_PlaceAndBucket(benchmark::State& state) {
  const Island& island = ProgramIsland();
  const scene::TerrainRect bounds = scene::GetTerrainBounds(island.grid, 1.0f);
  const bool bucket = state.range(0) != 0;
  for (auto _ : state) {
    scene::PlacementState placement;
    scene::SceneRandom random = island.painted;
    const scene::ScenePlacement placed =
        scene::PlaceSceneObjects(island.map, island.grid, placement, random);
    benchmark::DoNotOptimize(placed.shoreGrass.data());
    if (!bucket) continue;
    // As an uploader takes them: one cell at a time, its arrays reused.
    int64_t indices = 0;
    auto upload = [&](const scene::GrassCell& cell, const scene::GrassCellGeometry& geometry) {
      benchmark::DoNotOptimize(geometry.positions.data());
      indices += cell.indexCount;
    };
    scene::ForEachGrassCell(scene::MakeGrassBillboard(scene::kLandGrassSize), placed.landGrass,
                            bounds, upload);
    scene::ForEachGrassCell(scene::MakeGrassBillboard(scene::kShoreGrassSize), placed.shoreGrass,
                            bounds, upload);
    benchmark::DoNotOptimize(indices);
  }
}
BENCHMARK(BM_PlaceAndBucket)
    ->ArgName("with_buckets")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

}  // namespace
