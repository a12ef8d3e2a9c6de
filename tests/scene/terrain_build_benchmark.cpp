// CPU side of the terrain build at the program's size (exponent 11): height
// map, statistics, colour maps and the mesh arrays; no GL upload.
#include <benchmark/benchmark.h>

#include "scene/terrain_build.h"

namespace {

void BM_TerrainCpuBuild(benchmark::State& state) {
  const scene::TerrainTiles tiles = scene::FallbackTerrainTiles();
  scene::SceneRandom random;
  for (auto _ : state) {
    scene::TerrainCpuBuild build = scene::BuildTerrainCpu(11, 616, 1.0f, tiles, random);
    benchmark::DoNotOptimize(build.vertices.positions.data());
  }
}
BENCHMARK(BM_TerrainCpuBuild)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
