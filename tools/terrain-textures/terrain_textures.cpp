// terrain-textures KIND OUTPUT
//
// Paints one of the terrain's images. Every image tiles seamlessly (its noise
// repeats with the image) and comes out the same on every machine.
//   tile-middle, tile-high, tile-low, tile-base   the colour-map tiles
//       (grass, rock, sand, the darker ground at the water line)
//   region1, region2, region3   close-up maps: damp shore sand, grass, and a
//       neutral grain that the sand and rock colours are laid on
//   detail   fine grey grain around mid-grey
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>

#include "tools/asset-common/asset_image.h"
#include "tools/asset-common/asset_noise.h"

namespace {

using asset::Colour;

// Thin dark lines where the noise crosses its middle: cracks and seams.
float Ridges(float u, float v, int period, uint32_t seed) {
  const float n = asset::PeriodicFbm(u, v, period, 4, seed);
  return 1.0f - std::min(1.0f, std::fabs(n - 0.5f) * 14.0f);
}

Colour Scale(const Colour& c, float f) { return {c.r * f, c.g * f, c.b * f, c.a}; }

using Painter = std::function<Colour(float u, float v)>;

asset::Image Paint(int size, const Painter& painter) {
  asset::Image image(size, size, 3);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      image.Set(x, y, painter((x + 0.5f) / size, (y + 0.5f) / size));
    }
  }
  return image;
}

Colour Grass(float u, float v, uint32_t seed) {
  const float patches = asset::PeriodicFbm(u, v, 4, 5, seed);
  const float blades = asset::PeriodicNoise(u * 256, v * 64, 256, seed + 11);
  const float speckle = asset::PeriodicFbm(u, v, 64, 2, seed + 23);
  Colour c = asset::Mix({0.20f, 0.34f, 0.10f}, {0.42f, 0.50f, 0.20f}, patches);
  c = asset::Mix(c, {0.16f, 0.26f, 0.08f}, std::clamp((blades - 0.55f) * 2.0f, 0.0f, 1.0f));
  return Scale(c, 0.8f + 0.4f * speckle);
}

Colour Rock(float u, float v, uint32_t seed) {
  const float body = asset::PeriodicFbm(u, v, 4, 5, seed);
  const float cracks = Ridges(u, v, 6, seed + 5);
  const float grain = asset::PeriodicFbm(u, v, 64, 2, seed + 9);
  Colour c = asset::Mix({0.40f, 0.38f, 0.35f}, {0.62f, 0.58f, 0.52f}, body);
  c = asset::Mix(c, {0.22f, 0.21f, 0.20f}, cracks * 0.8f);
  return Scale(c, 0.85f + 0.3f * grain);
}

Colour Sand(float u, float v, uint32_t seed) {
  const float dunes = asset::PeriodicFbm(u, v, 3, 4, seed);
  const float ripples =
      0.5f +
      0.5f * std::sin((u * 12 + asset::PeriodicFbm(u, v, 4, 3, seed + 3) * 3.0f) * 6.2831853f);
  const float grain = asset::HashUnit(static_cast<int>(u * 4096), static_cast<int>(v * 4096), seed);
  Colour c = asset::Mix({0.76f, 0.67f, 0.48f}, {0.88f, 0.80f, 0.60f}, dunes);
  return Scale(c, 0.9f + 0.06f * ripples + 0.08f * grain);
}

Colour Ground(float u, float v, uint32_t seed) {
  const float body = asset::PeriodicFbm(u, v, 4, 5, seed);
  const float pebbles = asset::PeriodicFbm(u, v, 48, 2, seed + 7);
  Colour c = asset::Mix({0.38f, 0.33f, 0.24f}, {0.52f, 0.46f, 0.34f}, body);
  return Scale(c, 0.85f + 0.3f * pebbles);
}

// Sand darkened in patches by moisture: the low ground along the water.
Colour Shore(float u, float v, uint32_t seed) {
  const float damp = asset::PeriodicFbm(u, v, 3, 4, seed + 17);
  return asset::Mix(Sand(u, v, seed), Ground(u, v, seed + 1), 0.2f + 0.35f * damp);
}

Colour Grain(float u, float v, uint32_t seed) {
  const float body = asset::PeriodicFbm(u, v, 4, 5, seed);
  const float fine = asset::PeriodicFbm(u, v, 64, 2, seed + 3);
  const float cracks = Ridges(u, v, 8, seed + 8);
  const float g = std::clamp(0.42f + 0.14f * body + 0.10f * fine - 0.10f * cracks, 0.0f, 1.0f);
  return {g, g, g};
}

Colour Detail(float u, float v, uint32_t seed) {
  const float g = 0.30f + 0.40f * asset::PeriodicFbm(u, v, 16, 4, seed);
  return {g, g, g};
}

struct Kind {
  const char* name;
  int size;
  Painter painter;
};

}  // namespace

int main(int argc, char** argv) {
  const Kind kinds[] = {
      {"tile-middle", 128, [](float u, float v) { return Grass(u, v, 101); }},
      {"tile-high", 128, [](float u, float v) { return Rock(u, v, 202); }},
      {"tile-low", 128, [](float u, float v) { return Sand(u, v, 303); }},
      {"tile-base", 128, [](float u, float v) { return Ground(u, v, 404); }},
      {"region1", 512, [](float u, float v) { return Shore(u, v, 505); }},
      {"region2", 512, [](float u, float v) { return Grass(u, v, 606); }},
      {"region3", 512, [](float u, float v) { return Grain(u, v, 707); }},
      {"detail", 512, [](float u, float v) { return Detail(u, v, 808); }},
  };
  if (argc != 3) {
    std::fprintf(stderr, "usage: terrain-textures KIND OUTPUT\n");
    return 2;
  }
  for (const Kind& kind : kinds) {
    if (std::string(argv[1]) == kind.name) {
      return asset::WriteImage(Paint(kind.size, kind.painter), argv[2], 88) ? 0 : 1;
    }
  }
  std::fprintf(stderr, "terrain-textures: unknown kind %s\n", argv[1]);
  return 2;
}
