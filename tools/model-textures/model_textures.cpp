#include "tools/model-textures/model_textures.h"

#include <algorithm>
#include <cmath>

#include "tools/asset-common/asset_noise.h"
#include "tools/model-objs/model_objs.h"

namespace models {
namespace {

using asset::Colour;
using asset::Image;

constexpr float kPi = 3.14159265f;

float Pick(uint32_t seed, int i, int j, float lo, float hi) {
  return lo + (hi - lo) * asset::HashUnit(i, j, seed);
}

Colour Scale(const Colour& c, float f) { return {c.r * f, c.g * f, c.b * f, c.a}; }

// An image of one colour with alpha 0, to paint leaves on.
Image Clear(int size, const Colour& under) {
  Image image(size, size, 4);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) image.Set(x, y, {under.r, under.g, under.b, 0});
  }
  return image;
}

// Paints a stroke from a to b (pixels) whose radius runs from ra to rb;
// `colour` gets the position along the stroke (0..1) and across it (-1..1).
template <typename ColourAt>
void Stroke(Image& image, float ax, float ay, float bx, float by, float ra, float rb,
            ColourAt colour) {
  const float r = std::max(ra, rb) + 1;
  const int x0 = std::max(0, static_cast<int>(std::floor(std::min(ax, bx) - r)));
  const int x1 = std::min(image.width() - 1, static_cast<int>(std::ceil(std::max(ax, bx) + r)));
  const int y0 = std::max(0, static_cast<int>(std::floor(std::min(ay, by) - r)));
  const int y1 = std::min(image.height() - 1, static_cast<int>(std::ceil(std::max(ay, by) + r)));
  const float dx = bx - ax, dy = by - ay;
  const float length2 = std::max(dx * dx + dy * dy, 1e-6f);
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) {
      const float px = x + 0.5f - ax, py = y + 0.5f - ay;
      const float t = std::clamp((px * dx + py * dy) / length2, 0.0f, 1.0f);
      const float ex = px - t * dx, ey = py - t * dy;
      const float distance = std::sqrt(ex * ex + ey * ey);
      const float radius = ra + (rb - ra) * t;
      const float coverage = std::clamp(radius + 0.5f - distance, 0.0f, 1.0f);
      if (coverage <= 0) continue;
      const float across = (ex * dy - ey * dx) >= 0 ? distance / std::max(radius, 0.5f)
                                                    : -distance / std::max(radius, 0.5f);
      // The colour is mixed in by coverage; alpha keeps the most covering
      // stroke, so overlapping edges do not cut holes.
      const Colour old = image.Get(x, y);
      Colour mixed = asset::Mix(old, colour(t, std::clamp(across, -1.0f, 1.0f)), coverage);
      mixed.a = std::max(old.a, coverage);
      image.Set(x, y, mixed);
    }
  }
}

// A curved stroke: `segments` straight pieces along a quadratic curve.
template <typename ColourAt>
void Curve(Image& image, float ax, float ay, float cx, float cy, float bx, float by, float ra,
           float rb, int segments, ColourAt colour) {
  auto at = [&](float t, float p, float c, float q) {
    return (1 - t) * (1 - t) * p + 2 * (1 - t) * t * c + t * t * q;
  };
  for (int i = 0; i < segments; ++i) {
    const float t0 = static_cast<float>(i) / segments, t1 = static_cast<float>(i + 1) / segments;
    Stroke(image, at(t0, ax, cx, bx), at(t0, ay, cy, by), at(t1, ax, cx, bx), at(t1, ay, cy, by),
           ra + (rb - ra) * t0, ra + (rb - ra) * t1,
           [&](float t, float across) { return colour(t0 + (t1 - t0) * t, across); });
  }
}

// Bark: grey-brown fibres running up the trunk, a dark groove and a pale
// scar at every ring. Tiles in both directions.
void PaintBark(Image& image, int width) {
  const int size = image.height();
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < width; ++x) {
      const float u = (x + 0.5f) / width, v = (y + 0.5f) / size;
      const float fibres = asset::PeriodicNoise(u * 24, v * 3, 24, 71);
      const float blotch = asset::PeriodicFbm(u, v, 2, 4, 72);
      const float ring = std::fmod(v * models::kBarkRingsPerTile + 0.03f * fibres, 1.0f);
      const float groove = std::exp(-std::pow((ring - 0.02f) / 0.035f, 2.0f)) +
                           std::exp(-std::pow((ring - 0.98f) / 0.035f, 2.0f));
      const float scar = std::exp(-std::pow((ring - 0.12f) / 0.06f, 2.0f));
      Colour c = asset::Mix({0.36f, 0.30f, 0.23f}, {0.55f, 0.49f, 0.40f}, blotch);
      c = Scale(c, 0.82f + 0.3f * fibres);
      c = asset::Mix(c, {0.66f, 0.60f, 0.50f}, scar * 0.5f);
      c = asset::Mix(c, {0.16f, 0.12f, 0.09f}, std::min(1.0f, groove) * 0.85f);
      image.Set(x, y, c);
    }
  }
}

// The frond in the columns from x0 to the right edge: the stalk up the
// middle (the frond's base at the bottom row), leaflets leaving it towards
// the tip on both sides, longest past the middle.
void PaintFrond(Image& image, int x0) {
  const int size = image.height();
  const float mid = (x0 + size) * 0.5f;
  const float half = (size - x0) * 0.5f - 3;
  constexpr int kLeaflets = 46;
  for (int side = -1; side <= 1; side += 2) {
    for (int i = 0; i < kLeaflets; ++i) {
      const float f = (i + 0.5f + Pick(81, i, side, -0.3f, 0.3f)) / kLeaflets;
      const float baseY = size * (1 - 0.04f - 0.93f * f);
      const float reach = half * std::sin(kPi * std::pow(f, 0.8f)) * Pick(82, i, side, 0.85f, 1.0f);
      const float angle = 0.55f + 0.45f * f;  // towards the tip, more so near it
      const float endX = mid + side * reach * std::cos(angle * 0.9f);
      const float endY = baseY - reach * std::sin(angle);
      const float bend = Pick(83, i, side, 0.1f, 0.25f) * reach;
      const float shade = Pick(84, i, side, 0.85f, 1.1f);
      Curve(image, mid, baseY, (mid + endX) * 0.5f, (baseY + endY) * 0.5f + bend, endX, endY,
            3.2f + 2.2f * std::sin(kPi * f), 0.7f, 6, [&](float t, float across) {
              Colour c = asset::Mix({0.22f, 0.42f, 0.10f}, {0.44f, 0.58f, 0.18f}, t);
              c = Scale(c, shade * (0.85f + 0.2f * (1 - std::fabs(across))));
              if (std::fabs(across) < 0.18f) c = asset::Mix(c, {0.62f, 0.66f, 0.32f}, 0.6f);
              return c;
            });
    }
  }
  Stroke(image, mid, size - 1.0f, mid, size * 0.02f, 4.0f, 1.2f, [](float t, float) {
    return asset::Mix(Colour{0.52f, 0.50f, 0.26f}, Colour{0.46f, 0.56f, 0.22f}, t);
  });
}

Image Palm() {
  constexpr int kSize = 512;
  const int barkWidth = static_cast<int>(kSize * models::kPalmBarkU);
  Image image = Clear(kSize, {0.30f, 0.46f, 0.14f});
  PaintBark(image, barkWidth);
  PaintFrond(image, barkWidth);
  return image;
}

// One leaf: a pointed oval along (dx, dy) from (x, y), with a pale midrib.
void Leaf(Image& image, float x, float y, float dx, float dy, float length, float width,
          const Colour& colour) {
  constexpr int kPieces = 6;
  for (int i = 0; i < kPieces; ++i) {
    const float t0 = static_cast<float>(i) / kPieces, t1 = static_cast<float>(i + 1) / kPieces;
    auto radius = [&](float t) { return std::max(0.4f, width * std::sin(kPi * t)); };
    Stroke(image, x + dx * length * t0, y + dy * length * t0, x + dx * length * t1,
           y + dy * length * t1, radius(t0), radius(t1), [&](float, float across) {
             Colour c = Scale(colour, 0.8f + 0.25f * (1 - std::fabs(across)));
             if (std::fabs(across) < 0.15f) c = asset::Mix(c, {0.55f, 0.65f, 0.35f}, 0.5f);
             return c;
           });
  }
}

// Twigs from the bottom middle fanning up, with leaves in pairs along them.
Image Bush() {
  constexpr int kSize = 256;
  constexpr uint32_t kSeed = 91;
  Image image = Clear(kSize, {0.20f, 0.36f, 0.12f});
  constexpr int kTwigs = 7;
  for (int twig = 0; twig < kTwigs; ++twig) {
    const float spread = (twig + 0.5f) / kTwigs - 0.5f;
    const float ax = kSize * 0.5f + spread * 40, ay = kSize - 2.0f;
    const float bx = kSize * (0.5f + spread * 0.95f),
                by = kSize * Pick(kSeed, twig, 0, 0.05f, 0.2f);
    const float cx = (ax + bx) * 0.5f + Pick(kSeed, twig, 1, -20.0f, 20.0f), cy = (ay + by) * 0.5f;
    Curve(image, ax, ay, cx, cy, bx, by, 2.2f, 0.8f, 8, [](float, float) {
      return Colour{0.30f, 0.22f, 0.14f, 1};
    });
    constexpr int kPairs = 9;
    for (int k = 0; k < kPairs; ++k) {
      const float t = 0.25f + 0.75f * (k + 0.5f) / kPairs;
      const float px = (1 - t) * (1 - t) * ax + 2 * (1 - t) * t * cx + t * t * bx;
      const float py = (1 - t) * (1 - t) * ay + 2 * (1 - t) * t * cy + t * t * by;
      for (int side = -1; side <= 1; side += 2) {
        const float angle =
            -kPi * 0.5f + side * Pick(kSeed, twig * 31 + k, side, 0.5f, 1.2f) + spread * 1.2f;
        const float tone = Pick(kSeed, twig * 31 + k, side + 5, 0.0f, 1.0f);
        const Colour colour = asset::Mix({0.13f, 0.30f, 0.08f}, {0.36f, 0.52f, 0.16f}, tone);
        Leaf(image, px, py, std::cos(angle), std::sin(angle),
             Pick(kSeed, twig * 31 + k, side + 9, 20.0f, 30.0f), 6.5f, colour);
      }
    }
  }
  return image;
}

// Blades rooted along the bottom edge, tapering to a point, leaning and
// curving; dark at the root, sun-bleached at the tip. The left and right
// edges stay free so that neighbouring billboards show no cut blades.
Image Grass() {
  constexpr int kSize = 256;
  constexpr uint32_t kSeed = 61;
  constexpr int kBlades = 56;
  Image image = Clear(kSize, {0.30f, 0.44f, 0.14f});
  for (int i = 0; i < kBlades; ++i) {
    const float rootX = kSize * Pick(kSeed, i, 0, 0.12f, 0.88f);
    const float height = kSize * Pick(kSeed, i, 1, 0.45f, 0.97f);
    const float lean = kSize * Pick(kSeed, i, 2, -0.22f, 0.22f);
    const float tipX = std::clamp(rootX + lean, 6.0f, kSize - 6.0f);
    const float tipY = kSize - height;
    const float bend = Pick(kSeed, i, 3, 0.3f, 0.7f);
    const float tone = Pick(kSeed, i, 4, 0.0f, 1.0f);
    Curve(image, rootX, kSize + 2.0f, rootX + (tipX - rootX) * bend * 0.3f, kSize - height * 0.6f,
          tipX, tipY, Pick(kSeed, i, 5, 2.8f, 4.2f), 0.5f, 10, [&](float t, float across) {
            Colour c = asset::Mix({0.16f, 0.30f, 0.07f}, {0.42f, 0.58f, 0.18f}, std::sqrt(t));
            c = asset::Mix(c, {0.66f, 0.64f, 0.34f}, std::max(0.0f, t - 0.7f) * 1.6f * tone);
            return Scale(c, 0.85f + 0.2f * across);
          });
  }
  return image;
}

Image Noise() {
  constexpr int kSize = 256;
  Image image(kSize, kSize, 3);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const float u = (x + 0.5f) / kSize, v = (y + 0.5f) / kSize;
      image.Set(x, y,
                {asset::PeriodicFbm(u, v, 4, 5, 11), asset::PeriodicFbm(u, v, 8, 4, 12),
                 asset::PeriodicFbm(u, v, 16, 3, 13)});
    }
  }
  return image;
}

// Granite: a light grey body with black mica, white feldspar and a few
// pink grains. The grains are whole texels, so the image tiles exactly.
Image Granite() {
  constexpr int kSize = 256;
  Image image(kSize, kSize, 3);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const float u = (x + 0.5f) / kSize, v = (y + 0.5f) / kSize;
      const float body = asset::PeriodicFbm(u, v, 4, 4, 21);
      const float grains = asset::PeriodicFbm(u, v, 40, 2, 22);
      const float fleck = asset::HashUnit(x, y, 23);
      Colour c = asset::Mix({0.50f, 0.49f, 0.47f}, {0.70f, 0.68f, 0.66f}, body);
      const float dark = std::clamp((grains - 0.66f) * 8.0f, 0.0f, 1.0f);
      const float pale = std::clamp((0.32f - grains) * 8.0f, 0.0f, 1.0f);
      c = asset::Mix(c, {0.12f, 0.12f, 0.13f}, dark * 0.9f);
      c = asset::Mix(c, {0.86f, 0.84f, 0.80f}, pale * 0.8f);
      if (fleck > 0.985f) c = {0.72f, 0.55f, 0.50f};
      image.Set(x, y, Scale(c, 0.92f + 0.16f * asset::HashUnit(x, y, 24)));
    }
  }
  return image;
}

}  // namespace

asset::Image ModelTexture(std::string_view kind) {
  if (kind == "palm") return Palm();
  if (kind == "bush") return Bush();
  if (kind == "grass") return Grass();
  if (kind == "noise") return Noise();
  if (kind == "object") return Granite();
  return Image(0, 0, 3);
}

}  // namespace models
