#include "scene/colour_maps.h"

#include <cmath>
#include <cstdlib>

#include "scene/parallel_rows.h"

namespace scene {
namespace {

void SetWrapped(PixelImage& image, int x, int y, uint32_t value) {
  image.pixels[static_cast<size_t>(y % image.height) * image.width + x % image.width] = value;
}

}  // namespace

PixelImage MakePixelImage(int width, int height, uint32_t fill) {
  PixelImage image;
  image.width = width;
  image.height = height;
  image.pixels.assign(static_cast<size_t>(width) * height, fill);
  return image;
}

void ScaleColour(PixelImage& image, float factor) {
  for (uint32_t& pixel : image.pixels) {
    uint32_t out = pixel & 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8) {
      const auto channel = static_cast<float>((pixel >> shift) & 0xFFu);
      out |= (static_cast<uint32_t>(channel * factor) & 0xFFu) << shift;
    }
    pixel = out;
  }
}

std::optional<ColourMaps> PaintColourMaps(const HeightMap& map, const TerrainTiles& tiles,
                                          SceneRandom& random) {
  SeedSceneRandom(random, 2);
  if (!map.HasStatistics() || map.width <= 0 || map.height <= 0) return std::nullopt;
  const int size = map.width;
  ColourMaps maps{MakePixelImage(size, size, 0xFFFFFFFFu), MakePixelImage(size, size, 0xFFFFFFFFu)};
  PixelImage& colour = maps.colourMap;
  PixelImage& mask = maps.regionMask;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x)
      colour.pixels[static_cast<size_t>(y) * size + x] = tiles.base.At(x, y);
  }
  auto paint = [&](const PixelImage& tile, int x, int y, uint32_t maskValue) {
    colour.pixels[static_cast<size_t>(y) * size + x] = tile.At(x, y);
    mask.pixels[static_cast<size_t>(y) * size + x] = maskValue;
  };
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const float m = StatisticsAt(map, y, x).mean;
      const float mr = x + 1 < size ? StatisticsAt(map, y, x + 1).mean : m;
      const float md = y + 1 < size ? StatisticsAt(map, y + 1, x).mean : m;
      const bool gentle = std::fabs(mr - m) <= 2.0f && std::fabs(md - m) <= 2.0f;
      if (m < 25.0f) {
        if (gentle && NextSceneRandom(random) % 20 == 1) {
          paint(tiles.low, x, y, kMaskLowHigh);
        } else if (gentle) {
          paint(tiles.base, x, y, kMaskBase);
        } else {
          paint(tiles.low, x, y, kMaskLowHigh);
        }
      } else if (m > 143.0f) {
        paint(tiles.high, x, y, kMaskLowHigh);
      } else if (m > static_cast<float>(NextSceneRandom(random) % 10 + 133)) {
        paint(tiles.high, x, y, kMaskLowHigh);
      } else if (m < static_cast<float>(NextSceneRandom(random) % 10 + 21)) {
        paint(tiles.low, x, y, kMaskLowHigh);
      } else if (!gentle) {
        paint(tiles.high, x, y, kMaskLowHigh);
        NextSceneRandom(random);
      } else if (NextSceneRandom(random) % 17 == 1) {
        for (int dy = 0; dy < 3; ++dy) {
          for (int dx = 0; dx < 3; ++dx) SetWrapped(mask, x + dx, y + dy, kMaskSpeckle);
        }
      } else {
        paint(tiles.middle, x, y, kMaskMiddle);
      }
    }
  }
  return maps;
}

PixelImage Reduce(const PixelImage& image, int side) {
  PixelImage out = MakePixelImage(side, side, 0);
  if (image.empty() || side <= 0) return out;
  const double sx = static_cast<double>(image.width) / side;
  const double sy = static_cast<double>(image.height) / side;
  ParallelRows(0, side, [&](int firstRow, int lastRow) {
    for (int y = firstRow; y < lastRow; ++y) {
      const double fy = std::max(0.0, (y + 0.5) * sy - 0.5);
      const int y0 = std::min(static_cast<int>(fy), image.height - 1);
      const int y1 = std::min(y0 + 1, image.height - 1);
      const double wy = fy - y0;
      for (int x = 0; x < side; ++x) {
        const double fx = std::max(0.0, (x + 0.5) * sx - 0.5);
        const int x0 = std::min(static_cast<int>(fx), image.width - 1);
        const int x1 = std::min(x0 + 1, image.width - 1);
        const double wx = fx - x0;
        uint32_t result = 0;
        for (int shift = 0; shift < 32; shift += 8) {
          auto channel = [&](int px, int py) {
            return static_cast<double>((image.At(px, py) >> shift) & 0xFFu);
          };
          const double top = channel(x0, y0) * (1 - wx) + channel(x1, y0) * wx;
          const double bottom = channel(x0, y1) * (1 - wx) + channel(x1, y1) * wx;
          const double value = top * (1 - wy) + bottom * wy;
          result |= (static_cast<uint32_t>(value + 0.5) & 0xFFu) << shift;
        }
        out.pixels[static_cast<size_t>(y) * side + x] = result;
      }
    }
  });
  return out;
}

std::optional<ColourMaps> BuildColourMaps(const HeightMap& map, const TerrainTiles& tiles,
                                          SceneRandom& random) {
  std::optional<ColourMaps> full = PaintColourMaps(map, tiles, random);
  if (!full) return std::nullopt;
  const int side = static_cast<int>((map.width - 1) * 0.5);
  return ColourMaps{Reduce(full->colourMap, side), Reduce(full->regionMask, side)};
}

}  // namespace scene
