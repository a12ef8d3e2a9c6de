#include "scene/placement.h"

#include <algorithm>
#include <cmath>

namespace scene {

bool IsPlacementCandidate(const HeightStatistics& cell, const TerrainGrid& grid,
                          const PlacementRule& rule) {
  const float t = cell.mean * grid.heightScale;
  return rule.slopeLimit >= std::fabs(cell.maximum - cell.minimum) &&
         rule.low * grid.cellSize < t && t < rule.high * grid.cellSize;
}

std::vector<uint32_t> FindPlacementCells(const HeightMap& map, const TerrainGrid& grid,
                                         const PlacementRule& rule) {
  std::vector<uint32_t> cells;
  if (map.width <= 0 || map.height <= 0 ||
      map.statistics.size() < static_cast<size_t>(map.width) * map.height) {
    return cells;  // no statistics (or not for every point): nothing to stand on
  }
  for (int i = 0; i + 1 < map.height; ++i) {
    const auto rowStart = static_cast<uint32_t>(i) * static_cast<uint32_t>(map.width);
    const HeightStatistics* row = &map.statistics[rowStart];
    for (int j = 0; j + 1 < map.width; ++j) {
      if (IsPlacementCandidate(row[j], grid, rule)) cells.push_back(rowStart + j);
    }
  }
  return cells;
}

CVector3 CandidatePoint(const HeightMap& map, const TerrainGrid& grid, const PlacementRule& rule,
                        uint32_t cell) {
  // Half a grid point off the mesh: the grid's centre is at size * 0.5.
  const auto row = static_cast<int>(cell / static_cast<uint32_t>(map.width));
  const auto column = static_cast<int>(cell % static_cast<uint32_t>(map.width));
  const float t = map.statistics[cell].mean * grid.heightScale;
  return {(static_cast<float>(column) - static_cast<float>(grid.width * 0.5)) * grid.cellSize,
          rule.offset + t,
          (static_cast<float>(row) - static_cast<float>(grid.height * 0.5)) * grid.cellSize};
}

std::vector<CVector3> PlaceOnCells(const HeightMap& map, const TerrainGrid& grid,
                                   const std::vector<uint32_t>& cells, int count,
                                   const PlacementRule& rule, PlacementState& placement,
                                   SceneRandom& random) {
  std::vector<CVector3> positions;
  if (cells.empty() || count <= 0) return positions;
  positions.reserve(count);
  const float cell = grid.cellSize;
  for (int k = 0; k < count; ++k) {
    placement.state = placement.state * 8253729u + 2396403u;
    const CVector3 c = CandidatePoint(map, grid, rule, cells[placement.state % cells.size()]);
    const float x = c.x + cell * static_cast<float>(NextSceneRandom(random)) / 32767.0f - cell / 2;
    const float z = c.z + cell * static_cast<float>(NextSceneRandom(random)) / 32767.0f - cell / 2;
    positions.push_back({x, c.y, z});
  }
  return positions;
}

std::vector<CVector3> PlaceOnTerrain(const HeightMap& map, const TerrainGrid& grid, int count,
                                     const PlacementRule& rule, PlacementState& placement,
                                     SceneRandom& random) {
  return PlaceOnCells(map, grid, FindPlacementCells(map, grid, rule), count, rule, placement,
                      random);
}

std::vector<CVector3> CopyInstances(const std::vector<CVector3>& from, double fraction) {
  const auto count =
      static_cast<size_t>(static_cast<double>(from.size()) * std::clamp(fraction, 0.0, 1.0));
  return {from.begin(), from.begin() + static_cast<std::ptrdiff_t>(count)};
}

PlacementCounts PlacementCountsFor(int gridWidth) {
  // Blades per unit of grass density: trunc(trunc(2 * width * 0.375) * 100).
  const double blades = std::trunc(std::trunc(2.0 * gridWidth * 0.375) * 100.0);
  return {2 * gridWidth, 4 * gridWidth, 2 * gridWidth, static_cast<int>(blades * 1.33),
          static_cast<int>(blades * 0.66)};
}

void PlaceSceneStep(const HeightMap& map, const TerrainGrid& grid, PlacementState& placement,
                    SceneRandom& random, int step, ScenePlacement& placed) {
  const PlacementCounts counts = PlacementCountsFor(grid.width);
  switch (step) {
    case 1:
      placed.palms = PlaceOnTerrain(map, grid, counts.palms, kPalmPlacement, placement, random);
      break;
    case 2: {
      const std::vector<uint32_t> bushCells = FindPlacementCells(map, grid, kBushPlacement);
      placed.bushes[0] =
          PlaceOnCells(map, grid, bushCells, counts.bush0, kBushPlacement, placement, random);
      placed.bushes[1] =
          PlaceOnCells(map, grid, bushCells, counts.bush1, kBushPlacement, placement, random);
      placed.bushes[2] = CopyInstances(placed.bushes[0], 1.0);
      placed.bushes[3] = CopyInstances(placed.bushes[1], 1.0);
      break;
    }
    case 3:
      placed.landGrass =
          PlaceOnTerrain(map, grid, counts.landGrass, kLandGrassPlacement, placement, random);
      break;
    case 4:
      placed.shoreGrass =
          PlaceOnTerrain(map, grid, counts.shoreGrass, kShoreGrassPlacement, placement, random);
      break;
    default:
      break;
  }
}

ScenePlacement PlaceSceneObjects(const HeightMap& map, const TerrainGrid& grid,
                                 PlacementState& placement, SceneRandom& random) {
  ScenePlacement placed;
  for (int step = 1; step <= 4; ++step) PlaceSceneStep(map, grid, placement, random, step, placed);
  return placed;
}

}  // namespace scene
