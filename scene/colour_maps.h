// Paints the terrain's colour map and region mask from the height map's
// statistics: a base tile everywhere, then low, middle and high tiles chosen
// by height, slope and the scene random generator. Pure computation.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "scene/height_map.h"
#include "scene/scene_random.h"

namespace scene {

// 32-bit pixels 0xAARRGGBB, memory row 0 first. Coordinates at or beyond the
// size wrap around.
struct PixelImage {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;

  bool empty() const { return pixels.empty(); }
  uint32_t At(int x, int y) const {
    if (pixels.empty()) return 0;
    return pixels[static_cast<size_t>(y % height) * width + x % width];
  }
};

PixelImage MakePixelImage(int width, int height, uint32_t fill);

// Multiplies the three colour bytes of every pixel by factor (truncating);
// alpha is kept.
void ScaleColour(PixelImage& image, float factor);

// The four tiles, already scaled (middle 0.6, high 0.7, low 0.9, base 1.0).
struct TerrainTiles {
  PixelImage middle;  // grass
  PixelImage high;    // rock
  PixelImage low;     // sand
  PixelImage base;    // the darker ground under and at the water line
};

// Colour factors applied to the decoded tiles.
inline constexpr float kMiddleTileFactor = 0.6f;
inline constexpr float kHighTileFactor = 0.7f;
inline constexpr float kLowTileFactor = 0.9f;
inline constexpr float kBaseTileFactor = 1.0f;

// Region mask values (0xAARRGGBB).
inline constexpr uint32_t kMaskBase = 0x00FF0000u;
inline constexpr uint32_t kMaskMiddle = 0x0000FF00u;
inline constexpr uint32_t kMaskSpeckle = 0x00008800u;
inline constexpr uint32_t kMaskLowHigh = 0x000000FFu;

struct ColourMaps {
  PixelImage colourMap;
  PixelImage regionMask;
};

// Full-size painting (map size x map size). Seeds random with 2 and leaves it
// where the painting stopped. Nothing when the map has no statistics.
std::optional<ColourMaps> PaintColourMaps(const HeightMap& map, const TerrainTiles& tiles,
                                          SceneRandom& random);

// Bilinear reduction to side x side pixels.
PixelImage Reduce(const PixelImage& image, int side);

// PaintColourMaps, then both images reduced to trunc((size - 1) * 0.5).
std::optional<ColourMaps> BuildColourMaps(const HeightMap& map, const TerrainTiles& tiles,
                                          SceneRandom& random);

}  // namespace scene
