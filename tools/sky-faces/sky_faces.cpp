#include "tools/sky-faces/sky_faces.h"

#include <algorithm>
#include <cmath>

#include "tools/asset-common/asset_noise.h"

namespace sky {
namespace {

using asset::Colour;

float Dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

float SmoothStep(float edge0, float edge1, float x) {
  const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
  return t * t * (3 - 2 * t);
}

Colour Add(const Colour& a, const Colour& b, float weight) {
  return {a.r + b.r * weight, a.g + b.g * weight, a.b + b.b * weight, a.a};
}

const Colour kZenith{0.10f, 0.30f, 0.74f};
const Colour kHighSky{0.28f, 0.56f, 0.90f};
const Colour kHaze{0.86f, 0.87f, 0.82f};
const Colour kSeaHaze{0.20f, 0.38f, 0.50f};
const Colour kSunGlow{1.0f, 0.80f, 0.55f};
const Colour kSunCore{1.0f, 0.97f, 0.90f};
const Colour kCloudLit{1.0f, 0.99f, 0.96f};
const Colour kCloudShade{0.62f, 0.68f, 0.78f};

constexpr float kSunElevation = 0.1745329f;  // ten degrees
constexpr uint32_t kCloudSeed = 4711;

// Clear sky: deep blue overhead, paler lower down, a warm haze at the
// horizon; below the horizon the haze thickens into the sea's colour.
Colour Background(const Vec3& d) {
  if (d.y >= 0) {
    const Colour blue = asset::Mix(kHighSky, kZenith, std::pow(d.y, 0.7f));
    return asset::Mix(blue, kHaze, std::exp(-d.y / 0.09f));
  }
  return asset::Mix(kHaze, kSeaHaze, 1.0f - std::exp(d.y / 0.05f));
}

// Cloud cover where the direction meets a flat cloud layer overhead: soft
// puffs in clusters, their sunward side brighter. Returns coverage 0..1 and
// the lit share 0..1.
struct Cloud {
  float cover;
  float light;
};

// Round puffs scattered over a lattice, one at most per cell: 1 at a puff's
// centre falling to 0 at its rim, the largest where puffs overlap.
float Puffs(float x, float y, uint32_t seed) {
  const int cx = static_cast<int>(std::floor(x)), cy = static_cast<int>(std::floor(y));
  float best = 0;
  for (int j = cy - 1; j <= cy + 1; ++j) {
    for (int i = cx - 1; i <= cx + 1; ++i) {
      if (asset::HashUnit(i, j, seed) > 0.7f) continue;
      const float px = i + asset::HashUnit(i, j, seed + 1);
      const float py = j + asset::HashUnit(i, j, seed + 2);
      const float radius = 0.45f + 0.45f * asset::HashUnit(i, j, seed + 3);
      const float d2 = ((x - px) * (x - px) + (y - py) * (y - py)) / (radius * radius);
      best = std::max(best, 1.0f - d2);
    }
  }
  return best;
}

float CloudDensity(float px, float pz) {
  const float cluster = asset::FractalNoise(px * 0.45f, pz * 0.45f, 3, kCloudSeed);
  const float fluff = asset::FractalNoise(px * 4.0f, pz * 4.0f, 4, kCloudSeed + 5);
  const float puffs = 0.65f * Puffs(px * 1.2f, pz * 1.2f, kCloudSeed + 10) +
                      0.35f * Puffs(px * 2.6f, pz * 2.6f, kCloudSeed + 20);
  return (puffs + 0.35f * fluff) * SmoothStep(0.36f, 0.56f, cluster);
}

Cloud Clouds(const Vec3& d) {
  if (d.y <= 0) return {0, 0};
  // The layer seen from below: far away near the horizon, so the clouds
  // flatten and crowd there; the offset keeps the horizon finite.
  const float scale = 1.0f / (d.y + 0.12f);
  const float px = d.x * scale, pz = d.z * scale;
  const float density = CloudDensity(px, pz);
  const float cover = SmoothStep(0.3f, 0.5f, density) * SmoothStep(0.0f, 0.2f, d.y);
  if (cover <= 0) return {0, 0};
  // Lit where the cloud thins towards the sun or towards the zenith (its
  // top as seen from below), shaded where it thickens: white crowns, grey
  // bases.
  const Vec3 sun = SunDirection();
  const float towardSun = CloudDensity(px + sun.x * 0.08f, pz + sun.z * 0.08f);
  const float upward = CloudDensity(px * 0.97f, pz * 0.97f);
  const float light =
      std::clamp(0.45f + (density - towardSun) * 4.0f + (density - upward) * 5.0f, 0.0f, 1.0f);
  return {cover, light};
}

}  // namespace

Vec3 Normalised(const Vec3& v) {
  const float length = std::sqrt(Dot(v, v));
  return {v.x / length, v.y / length, v.z / length};
}

const std::array<Face, kFaceCount>& Faces() {
  // Taken from the sky box's drawing table: the corners drawn with (0, 0),
  // (1, 0) and (0, 1) on each face.
  static const std::array<Face, kFaceCount> faces{{
      {"neg-z", 11, {-1, -1, -1}, {2, 0, 0}, {0, 2, 0}},
      {"pos-z", 12, {1, -1, 1}, {-2, 0, 0}, {0, 2, 0}},
      {"neg-y", 13, {1, -1, -1}, {-2, 0, 0}, {0, 0, 2}},
      {"pos-y", 14, {1, 1, 1}, {-2, 0, 0}, {0, 0, -2}},
      {"neg-x", 15, {-1, -1, 1}, {0, 0, -2}, {0, 2, 0}},
      {"pos-x", 16, {1, -1, -1}, {0, 0, 2}, {0, 2, 0}},
  }};
  return faces;
}

Vec3 FacePoint(const Face& face, float s, float t) {
  return {face.origin.x + face.sAxis.x * s + face.tAxis.x * t,
          face.origin.y + face.sAxis.y * s + face.tAxis.y * t,
          face.origin.z + face.sAxis.z * s + face.tAxis.z * t};
}

FaceHit FaceOf(const Vec3& d) {
  const float ax = std::fabs(d.x), ay = std::fabs(d.y), az = std::fabs(d.z);
  const float major = std::max({ax, ay, az});
  const Vec3 p{d.x / major, d.y / major, d.z / major};
  const auto& faces = Faces();
  int index = 0;
  if (major == az) index = p.z < 0 ? 0 : 1;
  if (major == ay) index = p.y < 0 ? 2 : 3;
  if (major == ax) index = p.x < 0 ? 4 : 5;
  const Face& f = faces[index];
  const Vec3 rel{p.x - f.origin.x, p.y - f.origin.y, p.z - f.origin.z};
  return {index, Dot(rel, f.sAxis) / 4.0f, Dot(rel, f.tAxis) / 4.0f};
}

TexCoord TexelCentre(int size, int column, int row) {
  return {(column + 0.5f) / size, 1.0f - (row + 0.5f) / size};
}

Vec3 SunDirection() {
  const float horizontal = std::cos(kSunElevation) * 0.70710678f;
  return {horizontal, std::sin(kSunElevation), -horizontal};
}

Colour SkyColour(const Vec3& d) {
  const Vec3 sun = SunDirection();
  const float toSun = std::max(0.0f, Dot(d, sun));
  Colour c = Background(d);
  const Cloud cloud = Clouds(d);
  if (cloud.cover > 0) {
    Colour body = asset::Mix(kCloudShade, kCloudLit, cloud.light);
    // Clouds near the horizon sink into the haze.
    body = asset::Mix(body, kHaze, std::exp(-d.y / 0.06f) * 0.8f);
    c = asset::Mix(c, body, cloud.cover);
  }
  // A broad warm glow around the sun and a bright core that clouds thin.
  c = Add(c, kSunGlow, 0.25f * std::pow(toSun, 6.0f) + 0.3f * std::pow(toSun, 80.0f));
  const float core = SmoothStep(0.99955f, 0.99985f, toSun) * (1.0f - 0.6f * cloud.cover);
  c = asset::Mix(c, kSunCore, core);
  c = Add(c, kSunCore, 0.5f * std::pow(toSun, 900.0f));
  return c;
}

asset::Image PaintFace(int face, int size) {
  asset::Image image(size, size, 3);
  const Face& f = Faces()[face];
  for (int row = 0; row < size; ++row) {
    for (int column = 0; column < size; ++column) {
      const TexCoord st = TexelCentre(size, column, row);
      image.Set(column, row, SkyColour(Normalised(FacePoint(f, st.s, st.t))));
    }
  }
  return image;
}

asset::Image PaintCross(int size) {
  std::array<asset::Image, kFaceCount> faces{PaintFace(0, size), PaintFace(1, size),
                                             PaintFace(2, size), PaintFace(3, size),
                                             PaintFace(4, size), PaintFace(5, size)};
  // Each cell of the cross: its column and row, and the cube points at its
  // top-left corner and one cell to the right and down.
  struct Cell {
    int column, row;
    Vec3 topLeft, right, down;
  };
  const Cell cells[] = {
      {0, 1, {-1, 1, 1}, {0, 0, -2}, {0, -2, 0}},  // x = -1
      {1, 1, {-1, 1, -1}, {2, 0, 0}, {0, -2, 0}},  // z = -1
      {2, 1, {1, 1, -1}, {0, 0, 2}, {0, -2, 0}},   // x = +1
      {3, 1, {1, 1, 1}, {-2, 0, 0}, {0, -2, 0}},   // z = +1
      {1, 0, {-1, 1, 1}, {2, 0, 0}, {0, 0, -2}},   // above
      {1, 2, {-1, -1, -1}, {2, 0, 0}, {0, 0, 2}},  // below
  };
  asset::Image cross(4 * size, 3 * size, 3);
  for (const Cell& cell : cells) {
    for (int row = 0; row < size; ++row) {
      for (int column = 0; column < size; ++column) {
        const float u = (column + 0.5f) / size, v = (row + 0.5f) / size;
        const Vec3 p{cell.topLeft.x + cell.right.x * u + cell.down.x * v,
                     cell.topLeft.y + cell.right.y * u + cell.down.y * v,
                     cell.topLeft.z + cell.right.z * u + cell.down.z * v};
        const FaceHit hit = FaceOf(p);
        const int x = std::clamp(static_cast<int>(hit.s * size), 0, size - 1);
        const int y = std::clamp(static_cast<int>((1.0f - hit.t) * size), 0, size - 1);
        cross.Set(cell.column * size + column, cell.row * size + row, faces[hit.face].Get(x, y));
      }
    }
  }
  return cross;
}

}  // namespace sky
