#include "scene/terrain_grid.h"

#include <algorithm>
#include <cmath>

namespace scene {
namespace {

// Grid index of a world coordinate: trunc(coordinate / cell) - trunc(-size / 2),
// computed in a range where the conversion to int cannot overflow.
int GridIndex(int world, float inverseCell, int size) {
  const float cells = std::clamp(static_cast<float>(world) * inverseCell, -1.0e8f, 1.0e8f);
  return static_cast<int>(cells) - static_cast<int>(size * -0.5);
}

}  // namespace

TerrainHeightSample SampleTerrainHeight(const HeightMap& map, const TerrainGrid& grid, int x, int z,
                                        int radius) {
  if (!map.HasStatistics() || grid.width <= 0 || grid.height <= 0 || grid.cellSize <= 0.0f) {
    return {};
  }
  const auto inverse = static_cast<float>(1.0 / grid.cellSize);
  const int column = GridIndex(x, inverse, grid.width);
  const int row = GridIndex(z, inverse, grid.height);
  const HeightStatistics& centre = StatisticsAt(map, row, column);
  float maximum = centre.maximum;
  float minimum = centre.minimum;
  float sum = centre.mean;
  int count = 0;
  for (int r = row - radius; r < row + radius; ++r) {
    for (int c = column - radius; c < column + radius; ++c) {
      const HeightStatistics& cell = StatisticsAt(map, r, c);
      maximum = std::max({maximum, cell.minimum, cell.maximum});
      minimum = std::min({minimum, cell.minimum, cell.maximum});
      sum += cell.mean;
      ++count;
    }
  }
  // A radius of 0 samples no cell: the centre record alone is the answer.
  const float mean = sum / static_cast<float>(std::max(count, 1));
  return {mean * grid.heightScale, maximum * grid.heightScale, minimum * grid.heightScale};
}

TerrainRect GetTerrainBounds(const TerrainGrid& grid, float factor) {
  int halfX = static_cast<int>(grid.width * 0.5);
  int halfZ = static_cast<int>(grid.height * 0.5);
  if (factor != 1.0f) {
    halfX = static_cast<int>(halfX * factor);
    halfZ = static_cast<int>(halfZ * factor);
  }
  const int hx = static_cast<int>(halfX * grid.cellSize);
  const int hz = static_cast<int>(halfZ * grid.cellSize);
  return {-hx, -hz, hx, hz};
}

}  // namespace scene
