// The island's height map: a seeded diamond-square fractal, smoothed, pushed
// below the sea towards the rim, then cleaned up with a 3 x 3 pass and given
// per-point neighbourhood statistics. Pure computation: no GL.
#pragma once

#include <string>
#include <vector>

namespace scene {

// Mean, minimum and maximum of a point's 3 x 3 neighbourhood (map units).
struct HeightStatistics {
  float mean = 0.0f;
  float minimum = 0.0f;
  float maximum = 0.0f;
};

struct HeightMap {
  int width = 0;
  int height = 0;
  // Row-major: index = row * width + column.
  std::vector<float> heights;
  // Same indexing as heights. Empty when it could not be allocated: then
  // colour painting, height queries and placement fall back to safe defaults.
  std::vector<HeightStatistics> statistics;
  // "<exponent>_<seed>.rmap"; a name only, nothing is read or written.
  std::u16string name;

  bool HasStatistics() const { return !statistics.empty(); }
};

// Roughness used for a map exponent (11 -> 1.33).
double RoughnessForExponent(int exponent);

// The final height remap of a normalised value v in 0 ... 255 (h = v - 128):
// steep below -33, flattened from -33 to 0, raised above 64 and 92.
float RemapHeight(double v);

// Writes (2^exponent + 1)^2 floats: the fractal, box-smoothed, normalised and
// inverted, lowered at the rim and remapped. Same arguments, same output.
std::vector<float> FractalHeightGenerator(int exponent, double roughness, unsigned seed);

// Replaces the heights with the 3 x 3 selectively smoothed ones, sets the
// outer ring to -128 and computes the statistics. False when the statistics
// cannot be allocated (they then stay empty; the caller reports it, see
// kMissingStatisticsMessage). maxStatisticsPoints lets tests simulate that
// failure.
bool LoadHeightMap(HeightMap& map, std::vector<float> heights, int size,
                   size_t maxStatisticsPoints = static_cast<size_t>(-1));

// Generator plus LoadHeightMap; false as LoadHeightMap.
bool GenerateHeightMap(HeightMap& map, int exponent, int seed);

// The text shown (with no caption) when a map has no statistics.
inline constexpr char16_t kMissingStatisticsMessage[] = u"Mem-Err!";

// The statistics record at (row, column), both clamped into the map. The map
// must have statistics.
const HeightStatistics& StatisticsAt(const HeightMap& map, int row, int column);

}  // namespace scene
