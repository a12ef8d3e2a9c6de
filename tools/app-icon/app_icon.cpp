#include "tools/app-icon/app_icon.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace icon {
namespace {

// Coordinates run from 0 to 1 across the icon, y downwards.
struct Point {
  float x = 0, y = 0;
};

constexpr float kHorizon = 0.60f;
constexpr Point kSun{0.23f, 0.23f};
constexpr float kSunRadius = 0.11f;
constexpr Point kIsland{0.50f, 0.71f};
constexpr float kIslandRx = 0.37f, kIslandRy = 0.16f;
constexpr float kWaterline = 0.76f;
constexpr Point kCrown{0.55f, 0.27f};

const asset::Colour kRim{0.04f, 0.15f, 0.32f};
const asset::Colour kSkyTop{0.13f, 0.42f, 0.84f};
const asset::Colour kSkyLow{0.60f, 0.86f, 0.98f};
const asset::Colour kSunColour{1.00f, 0.86f, 0.26f};
const asset::Colour kSeaTop{0.08f, 0.62f, 0.78f};
const asset::Colour kSeaLow{0.02f, 0.28f, 0.55f};
const asset::Colour kFoam{0.86f, 0.96f, 1.00f};
const asset::Colour kSand{0.98f, 0.85f, 0.52f};
const asset::Colour kWetSand{0.84f, 0.66f, 0.38f};
const asset::Colour kTrunk{0.42f, 0.26f, 0.12f};
const asset::Colour kLeaf{0.16f, 0.60f, 0.20f};
const asset::Colour kLeafRib{0.06f, 0.36f, 0.12f};
const asset::Colour kCoconut{0.30f, 0.18f, 0.08f};

// A curved stroke: a quadratic Bezier cut into segments, with a half width
// that changes along it (t from 0 at the start to 1 at the end).
struct Stroke {
  std::vector<Point> points;
  std::function<float(float t)> halfWidth;
};

Stroke MakeStroke(Point from, Point control, Point to, std::function<float(float)> halfWidth) {
  constexpr int kSegments = 20;
  Stroke stroke;
  for (int i = 0; i <= kSegments; ++i) {
    const float t = static_cast<float>(i) / kSegments;
    const float a = (1 - t) * (1 - t), b = 2 * (1 - t) * t, c = t * t;
    stroke.points.push_back(
        {a * from.x + b * control.x + c * to.x, a * from.y + b * control.y + c * to.y});
  }
  stroke.halfWidth = std::move(halfWidth);
  return stroke;
}

// How deep inside the stroke p lies: distance to the centre line over the
// half width there (below 1 is inside, 0 on the centre line).
float StrokeDepth(const Stroke& stroke, Point p) {
  float best = 1e9f;
  const int segments = static_cast<int>(stroke.points.size()) - 1;
  for (int i = 0; i < segments; ++i) {
    const Point a = stroke.points[i], b = stroke.points[i + 1];
    const float dx = b.x - a.x, dy = b.y - a.y;
    const float length2 = dx * dx + dy * dy;
    float s = length2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2 : 0;
    s = std::clamp(s, 0.0f, 1.0f);
    const float d = std::hypot(p.x - (a.x + s * dx), p.y - (a.y + s * dy));
    const float w = stroke.halfWidth((i + s) / segments);
    if (w > 0) best = std::min(best, d / w);
  }
  return best;
}

struct Palm {
  Stroke trunk;
  std::vector<Stroke> leaves;
};

Palm MakePalm() {
  Palm palm;
  palm.trunk = MakeStroke({0.45f, 0.62f}, {0.44f, 0.42f}, kCrown,
                          [](float t) { return 0.034f - 0.012f * t; });
  // Each leaf arches up from the crown and droops towards its tip.
  const Point tips[] = {{0.17f, 0.42f}, {0.25f, 0.16f}, {0.55f, 0.06f},
                        {0.86f, 0.16f}, {0.90f, 0.44f}, {0.70f, 0.52f}};
  const float lift[] = {0.14f, 0.10f, 0.02f, 0.10f, 0.14f, 0.10f};
  for (int i = 0; i < 6; ++i) {
    const Point mid{(kCrown.x + tips[i].x) / 2, (kCrown.y + tips[i].y) / 2 - lift[i]};
    palm.leaves.push_back(MakeStroke(kCrown, mid, tips[i], [](float t) {
      return 0.012f + 0.040f * std::pow(std::sin(3.14159265f * std::min(t * 1.15f, 1.0f)), 0.8f);
    }));
  }
  return palm;
}

float Ellipse(Point p, Point centre, float rx, float ry) {
  const float u = (p.x - centre.x) / rx, v = (p.y - centre.y) / ry;
  return u * u + v * v;
}

// Signed distance to the icon's rounded square (negative inside).
float SquareDistance(Point p) {
  constexpr float kCorner = 0.20f;
  constexpr float half = 0.5f - kCorner;
  const float qx = std::max(std::abs(p.x - 0.5f) - half, 0.0f);
  const float qy = std::max(std::abs(p.y - 0.5f) - half, 0.0f);
  return std::hypot(qx, qy) - kCorner;
}

asset::Colour Scene(Point p, const Palm& palm, bool detailed) {
  asset::Colour c;
  if (p.y < kHorizon) {
    c = asset::Mix(kSkyTop, kSkyLow, p.y / kHorizon);
    const float sun = std::hypot(p.x - kSun.x, p.y - kSun.y);
    if (sun < kSunRadius) return kSunColour;
    c = asset::Mix(c, kSunColour, 0.35f * std::exp(-(sun - kSunRadius) * 14));
  } else {
    c = asset::Mix(kSeaTop, kSeaLow, (p.y - kHorizon) / (1 - kHorizon));
    // Light ripples across the open water on the larger icons.
    if (detailed) {
      const float ripple = std::sin(p.y * 90.0f + std::sin(p.x * 9.0f) * 2.0f);
      if (ripple > 0.93f && p.y > kWaterline + 0.04f) c = asset::Mix(c, kFoam, 0.45f);
    }
  }
  const float island = Ellipse(p, kIsland, kIslandRx, kIslandRy);
  if (p.y <= kWaterline && island < 1.0f) {
    c = p.y > kWaterline - 0.045f ? kWetSand : kSand;
  } else if (p.y <= kWaterline + 0.035f && Ellipse(p, kIsland, kIslandRx + 0.07f, kIslandRy) < 1) {
    c = kFoam;
  }
  if (StrokeDepth(palm.trunk, p) < 1) c = kTrunk;
  if (detailed) {
    for (Point nut : {Point{0.525f, 0.305f}, Point{0.575f, 0.30f}}) {
      if (std::hypot(p.x - nut.x, p.y - nut.y) < 0.024f) c = kCoconut;
    }
  }
  for (const Stroke& leaf : palm.leaves) {
    const float depth = StrokeDepth(leaf, p);
    if (depth < 1) c = detailed && depth < 0.22f ? kLeafRib : kLeaf;
  }
  return c;
}

}  // namespace

asset::Image PaintIcon(int size) {
  const Palm palm = MakePalm();
  asset::Image image(size, size, 4);
  const float pixel = 1.0f / size;
  // The rim fills whole pixels on the smallest icons, so it stays sharp.
  const float rim = std::max(pixel, 0.03f);
  const bool detailed = size >= 48;
  // Small icons get more samples per pixel: their edges are most of them.
  const int samples = size <= 32 ? 8 : 4;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      float r = 0, g = 0, b = 0, a = 0;
      for (int sy = 0; sy < samples; ++sy) {
        for (int sx = 0; sx < samples; ++sx) {
          const Point p{(x + (sx + 0.5f) / samples) * pixel, (y + (sy + 0.5f) / samples) * pixel};
          const float edge = SquareDistance(p);
          if (edge > 0) continue;
          const asset::Colour c = edge > -rim ? kRim : Scene(p, palm, detailed);
          r += c.r;
          g += c.g;
          b += c.b;
          a += 1;
        }
      }
      // Colour averaged over the covered samples, alpha over all of them.
      const float covered = std::max(a, 1.0f);
      image.Set(x, y, {r / covered, g / covered, b / covered, a / (samples * samples)});
    }
  }
  return image;
}

}  // namespace icon
