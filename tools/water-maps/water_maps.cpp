#include "tools/water-maps/water_maps.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/asset-common/asset_noise.h"

namespace water {
namespace {

constexpr float kTwoPi = 6.2831853f;

// A height field over one tile: a few travelling-wave crests with whole
// wave numbers plus tiling noise for the chop.
struct Wave {
  int kx, ky;
  float amplitude;
  float phase;
};

std::vector<float> Heights(int size, const Wave* waves, int waveCount, int noisePeriod,
                           float noiseWeight, uint32_t seed) {
  std::vector<float> h(static_cast<size_t>(size) * size);
  for (int row = 0; row < size; ++row) {
    for (int column = 0; column < size; ++column) {
      const float u = static_cast<float>(column) / size, v = static_cast<float>(row) / size;
      float sum = noiseWeight * asset::PeriodicFbm(u, v, noisePeriod, 4, seed);
      for (int i = 0; i < waveCount; ++i) {
        const Wave& w = waves[i];
        // Sharpened crests: troughs broad, tops narrow, as on real ripples.
        const float c = 0.5f + 0.5f * std::sin(kTwoPi * (w.kx * u + w.ky * v) + w.phase);
        sum += w.amplitude * c * c;
      }
      h[static_cast<size_t>(row) * size + column] = sum;
    }
  }
  return h;
}

// Slopes by central differences that wrap around the tile, in height per
// texel; t grows upwards, the opposite way to the rows.
struct Slope {
  float ds, dt;
};

Slope SlopeAt(const std::vector<float>& h, int size, int column, int row) {
  auto at = [&](int c, int r) {
    return h[static_cast<size_t>((r + size) % size) * size + (c + size) % size];
  };
  return {(at(column + 1, row) - at(column - 1, row)) * 0.5f,
          (at(column, row - 1) - at(column, row + 1)) * 0.5f};
}

}  // namespace

asset::Image PaintNormalMap(int size) {
  const Wave waves[] = {
      {3, 5, 0.40f, 0.3f},   {-4, 3, 0.35f, 1.7f}, {7, -2, 0.25f, 4.1f},  {2, 9, 0.20f, 2.6f},
      {-9, -5, 0.15f, 5.3f}, {11, 6, 0.12f, 0.9f}, {-6, 13, 0.10f, 3.8f}, {15, -9, 0.08f, 2.2f},
  };
  const std::vector<float> h = Heights(size, waves, 8, 8, 0.3f, 2024);
  // Steepness in proportion to the size, so the ripples tilt the normal by
  // the same angles at any size: enough for lively glints, mostly blue.
  const float steepness = 0.03f * size;
  asset::Image image(size, size, 3);
  for (int row = 0; row < size; ++row) {
    for (int column = 0; column < size; ++column) {
      const Slope s = SlopeAt(h, size, column, row);
      const float nx = -s.ds * steepness, ny = -s.dt * steepness;
      const float length = std::sqrt(nx * nx + ny * ny + 1.0f);
      image.Set(column, row,
                {0.5f + 0.5f * nx / length, 0.5f + 0.5f * ny / length, 0.5f + 0.5f / length});
    }
  }
  return image;
}

asset::Image PaintDudvMap(int size) {
  const Wave waves[] = {
      {1, 2, 0.5f, 0.0f},
      {-2, 1, 0.4f, 2.1f},
      {3, -1, 0.3f, 4.4f},
      {2, 3, 0.2f, 1.2f},
  };
  const std::vector<float> h = Heights(size, waves, 4, 4, 0.6f, 777);
  float largest = 0;
  std::vector<Slope> slopes;
  slopes.reserve(h.size());
  for (int row = 0; row < size; ++row) {
    for (int column = 0; column < size; ++column) {
      slopes.push_back(SlopeAt(h, size, column, row));
      largest = std::max({largest, std::fabs(slopes.back().ds), std::fabs(slopes.back().dt)});
    }
  }
  // The steepest slope becomes an offset of 0.25 either way.
  const float scale = largest > 0 ? 0.25f / largest : 0.0f;
  asset::Image image(size, size, 3);
  for (int row = 0; row < size; ++row) {
    for (int column = 0; column < size; ++column) {
      const Slope& s = slopes[static_cast<size_t>(row) * size + column];
      image.Set(column, row, {0.5f + s.ds * scale, 0.5f + s.dt * scale, 0.0f});
    }
  }
  return image;
}

}  // namespace water
