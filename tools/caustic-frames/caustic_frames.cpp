#include "tools/caustic-frames/caustic_frames.h"

#include <algorithm>
#include <cmath>

#include "tools/asset-common/asset_noise.h"

namespace caustics {
namespace {

constexpr float kTwoPi = 6.2831853f;

// The lines are the borders between cells around moving points, on a torus
// of `cells` x `cells` cells over the unit square. Each point circles its
// home a whole number of times per loop, so the animation's time is a phase
// angle and frame kFrameCount equals frame 0.
struct Layer {
  int cells;
  uint32_t seed;
  float width;   // line half-width, in cells
  float weight;  // brightness
};

float CellBorders(float u, float v, const Layer& layer, float phase) {
  const int n = layer.cells;
  const float x = u * n, y = v * n;
  const int cx = static_cast<int>(std::floor(x)), cy = static_cast<int>(std::floor(y));
  float nearest = 1e9f, second = 1e9f;
  for (int j = cy - 2; j <= cy + 2; ++j) {
    for (int i = cx - 2; i <= cx + 2; ++i) {
      const int wi = ((i % n) + n) % n, wj = ((j % n) + n) % n;
      const float angle = asset::HashUnit(wi, wj, layer.seed) * kTwoPi;
      const float turns = asset::HashUnit(wi, wj, layer.seed + 1) < 0.5f ? 1.0f : -1.0f;
      const float radius = 0.15f + 0.2f * asset::HashUnit(wi, wj, layer.seed + 2);
      const float px = i + 0.5f + 0.3f * (asset::HashUnit(wi, wj, layer.seed + 3) - 0.5f) +
                       radius * std::cos(angle + turns * phase);
      const float py = j + 0.5f + 0.3f * (asset::HashUnit(wi, wj, layer.seed + 4) - 0.5f) +
                       radius * std::sin(angle + turns * phase);
      const float d = std::hypot(x - px, y - py);
      if (d < nearest) {
        second = nearest;
        nearest = d;
      } else if (d < second) {
        second = d;
      }
    }
  }
  // Half the difference of the two nearest distances is about the distance
  // to the border between their cells.
  const float border = (second - nearest) * 0.5f;
  return layer.weight * std::exp(-border / layer.width);
}

}  // namespace

asset::Image PaintFrame(int frame, int size) {
  const float phase = kTwoPi * static_cast<float>(frame % kFrameCount) / kFrameCount;
  const Layer layers[] = {{4, 31, 0.05f, 0.85f}, {7, 57, 0.04f, 0.45f}};
  asset::Image image(size, size, 3);
  for (int row = 0; row < size; ++row) {
    for (int column = 0; column < size; ++column) {
      float u = (column + 0.5f) / size, v = (row + 0.5f) / size;
      // A gentle sway that repeats across the tile and over the loop bends
      // the straight cell borders into wavy lines.
      const float su = u + 0.025f * std::sin(kTwoPi * 2 * v + phase);
      const float sv = v + 0.025f * std::sin(kTwoPi * 2 * u - phase + 1.3f);
      u = su;
      v = sv;
      float light = 0;
      for (const Layer& layer : layers) light += CellBorders(u, v, layer, phase);
      const float g = std::clamp(light, 0.0f, 1.0f);
      image.Set(column, row, {g, g, g});
    }
  }
  return image;
}

}  // namespace caustics
