#include "tools/model-objs/model_objs.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/asset-common/asset_noise.h"
#include "tools/model-objs/obj_writer.h"

namespace models {
namespace {

constexpr float kPi = 3.14159265f;

float Radians(float degrees) { return degrees * kPi / 180.0f; }

// A number in [lo, hi) from a seed and a counter.
float Pick(uint32_t seed, int i, int j, float lo, float hi) {
  return lo + (hi - lo) * asset::HashUnit(i, j, seed);
}

struct PalmShape {
  uint32_t seed;
  float height;      // of the trunk's top above the ground
  float lean;        // sideways offset of the top, as a fraction of the height
  float leanAngle;   // direction of the lean about y, degrees
  float baseRadius;  // trunk radius at the ground and at the top
  float topRadius;
  int rings;  // rings along the trunk
  int fronds;
  float frondLength;
  float frondWidth;  // half-width of a frond card at its widest
};

constexpr int kTrunkSides = 10;
constexpr int kRowsPerRing = 2;
constexpr int kFrondStations = 10;

// The trunk's axis at t in [0, 1]: bending more towards the top.
Vec3 TrunkPoint(const PalmShape& s, float t) {
  const float side = s.lean * s.height * t * t;
  const float a = Radians(s.leanAngle);
  return {side * std::cos(a), s.height * t, side * std::sin(a)};
}

// Rings: each ring's end is drawn in a little, its middle bulges.
void AddTrunk(ObjWriter& obj, const PalmShape& s) {
  const int rows = s.rings * kRowsPerRing + 1;
  const int first = obj.VertexCount();
  for (int row = 0; row < rows; ++row) {
    const float t = static_cast<float>(row) / (rows - 1);
    const Vec3 centre = TrunkPoint(s, t);
    const Vec3 along = Normalised(TrunkPoint(s, std::min(1.0f, t + 0.01f)) -
                                  TrunkPoint(s, std::max(0.0f, t - 0.01f)));
    const Vec3 across = Normalised(Cross(along, {0, 0, 1}));
    const Vec3 other = Cross(across, along);
    // A flared foot, then the taper; the ring ends are notched.
    const float flare = 1.0f + 0.45f * std::exp(-t * 18.0f);
    const float notch = row % kRowsPerRing == 0 ? 0.9f : 1.04f;
    const float radius = (s.baseRadius + (s.topRadius - s.baseRadius) * t) * flare * notch;
    const float v = static_cast<float>(row) / (kRowsPerRing * kBarkRingsPerTile);
    for (int k = 0; k <= kTrunkSides; ++k) {
      const float a = 2 * kPi * k / kTrunkSides;
      const Vec3 out = across * std::cos(a) + other * std::sin(a);
      const float u = kPalmBarkU * (0.04f + 0.92f * k / kTrunkSides);
      obj.Add({centre + out * radius, u, v, out});
    }
  }
  for (int row = 0; row + 1 < rows; ++row) {
    for (int k = 0; k < kTrunkSides; ++k) {
      const int a = first + row * (kTrunkSides + 1) + k;
      const int b = a + kTrunkSides + 1;
      obj.Triangle(a, a + 1, b + 1);
      obj.Triangle(a, b + 1, b);
    }
  }
}

// One frond: a card along an arching stalk, folded down along the stalk so
// that the leaflets hang on both sides. Three vertices per station (left
// edge, stalk, right edge); u runs across the card, v along it.
void AddFrond(ObjWriter& obj, const PalmShape& s, const Vec3& crown, int index) {
  const float azimuth =
      2 * kPi * (index + Pick(s.seed, index, 1, -0.2f, 0.2f)) / static_cast<float>(s.fronds);
  const Vec3 outward = {std::cos(azimuth), 0, std::sin(azimuth)};
  const Vec3 side = {-outward.z, 0, outward.x};
  const float length = s.frondLength * Pick(s.seed, index, 2, 0.82f, 1.12f);
  // Young fronds stand up, old ones hang: the first angle above the
  // horizontal, and how far the frond bends down by its tip.
  const float rise = Radians(Pick(s.seed, index, 3, 15.0f, 62.0f));
  const float droop = Radians(Pick(s.seed, index, 4, 85.0f, 125.0f));
  const float twist = Pick(s.seed, index, 5, -0.25f, 0.25f);

  Vec3 stalk = crown + outward * (s.topRadius * 0.5f);
  const int first = obj.VertexCount();
  for (int station = 0; station <= kFrondStations; ++station) {
    const float f = static_cast<float>(station) / kFrondStations;
    const float angle = rise - droop * std::pow(f, 1.6f);
    const Vec3 along = outward * std::cos(angle) + Vec3{0, std::sin(angle), 0};
    const Vec3 up = Cross(side, along);
    // Narrow at the base, widest past the middle, closing at the tip.
    const float half = s.frondWidth * std::min(1.0f, 0.3f + 1.6f * f) *
                       (f < 0.8f ? 1.0f : 1.0f - (f - 0.8f) * 2.5f);
    const float fold = 0.45f + twist * f;
    const Vec3 left = stalk + side * half - up * (half * fold);
    const Vec3 right = stalk - side * half - up * (half * (fold - 2 * twist * f));
    const Vec3 normal = Normalised(up);
    obj.Add({left, kPalmBarkU, f, normal});
    obj.Add({stalk, (kPalmBarkU + 1) * 0.5f, f, normal});
    obj.Add({right, 1.0f, f, normal});
    stalk = stalk + along * (length / kFrondStations);
  }
  for (int station = 0; station < kFrondStations; ++station) {
    for (int k = 0; k < 2; ++k) {
      const int a = first + station * 3 + k;
      const int b = a + 3;
      obj.Triangle(a, a + 1, b + 1);
      obj.Triangle(a, b + 1, b);
    }
  }
}

std::string Palm(const PalmShape& s, const char* name) {
  ObjWriter obj;
  AddTrunk(obj, s);
  const Vec3 crown = TrunkPoint(s, 1.0f);
  for (int i = 0; i < s.fronds; ++i) AddFrond(obj, s, crown, i);
  return obj.Text({std::string(name) + ": curved ringed trunk and a crown of arching fronds",
                   std::to_string(obj.VertexCount()) + " vertices, " +
                       std::to_string(obj.TriangleCount()) + " triangles"});
}

// The bush: leaf cards standing round the centre, leaning out, some higher
// than others. Each card is two quads crossed at its middle line.
std::string Bush() {
  constexpr uint32_t kSeed = 4242;
  constexpr int kCards = 11;
  ObjWriter obj;
  for (int i = 0; i < kCards; ++i) {
    const float azimuth = 2 * kPi * (i + Pick(kSeed, i, 1, -0.3f, 0.3f)) / kCards;
    const Vec3 outward = {std::cos(azimuth), 0, std::sin(azimuth)};
    const float height = Pick(kSeed, i, 2, 38.0f, 56.0f);
    const float halfWidth = Pick(kSeed, i, 3, 5.0f, 7.5f);
    const float lean = Pick(kSeed, i, 4, 0.04f, 0.16f);
    const Vec3 foot = outward * Pick(kSeed, i, 5, 0.5f, 3.0f);
    const Vec3 top = foot + outward * (height * lean) + Vec3{0, height, 0};
    for (int plane = 0; plane < 2; ++plane) {
      const float turn = azimuth + kPi * 0.5f * plane + Pick(kSeed, i, 6 + plane, -0.3f, 0.3f);
      const Vec3 side = Vec3{-std::sin(turn), 0, std::cos(turn)} * halfWidth;
      const Vec3 normal = Normalised(Cross(side, top - foot));
      const int a = obj.Add({foot - side, 0, 0, normal});
      const int b = obj.Add({foot + side, 1, 0, normal});
      const int c = obj.Add({top + side * 1.3f, 1, 1, normal});
      const int d = obj.Add({top - side * 1.3f, 0, 1, normal});
      obj.Triangle(a, b, c);
      obj.Triangle(a, c, d);
    }
  }
  return obj.Text(
      {"bush: a clump of leaf cards", std::to_string(obj.VertexCount()) + " vertices, " +
                                          std::to_string(obj.TriangleCount()) + " triangles"});
}

// The rock: an icosahedron subdivided twice (320 triangles), pushed in and
// out by lumpy noise, squat, and flattened underneath where it rests.
std::string Rock() {
  constexpr uint32_t kSeed = 9090;
  const float t = (1.0f + std::sqrt(5.0f)) / 2;
  std::vector<Vec3> points = {{-1, t, 0}, {1, t, 0}, {-1, -t, 0}, {1, -t, 0},
                              {0, -1, t}, {0, 1, t}, {0, -1, -t}, {0, 1, -t},
                              {t, 0, -1}, {t, 0, 1}, {-t, 0, -1}, {-t, 0, 1}};
  std::vector<int> faces = {0, 11, 5,  0, 5,  1, 0, 1, 7, 0, 7,  10, 0, 10, 11, 1, 5, 9, 5, 11,
                            4, 11, 10, 2, 10, 7, 6, 7, 1, 8, 3,  9,  4, 3,  4,  2, 3, 2, 6, 3,
                            6, 8,  3,  8, 9,  4, 9, 5, 2, 4, 11, 6,  2, 10, 8,  6, 7, 9, 8, 1};
  for (Vec3& p : points) p = Normalised(p);
  for (int level = 0; level < 2; ++level) {
    std::vector<int> finer;
    std::vector<std::pair<long long, int>> middles;
    auto middle = [&](int a, int b) {
      const long long key = static_cast<long long>(std::min(a, b)) * 100000 + std::max(a, b);
      for (const auto& [k, index] : middles) {
        if (k == key) return index;
      }
      points.push_back(Normalised(points[a] + points[b]));
      middles.push_back({key, static_cast<int>(points.size()) - 1});
      return static_cast<int>(points.size()) - 1;
    };
    for (size_t f = 0; f < faces.size(); f += 3) {
      const int a = faces[f], b = faces[f + 1], c = faces[f + 2];
      const int ab = middle(a, b), bc = middle(b, c), ca = middle(c, a);
      finer.insert(finer.end(), {a, ab, ca, b, bc, ab, c, ca, bc, ab, bc, ca});
    }
    faces = finer;
  }
  constexpr float kRadius = 18.0f;
  std::vector<Vec3> shaped;
  for (const Vec3& d : points) {
    // Noise on the sphere from two projections, so no axis shows a seam.
    const float lumps = asset::ValueNoise(d.x * 1.6f + 4, d.z * 1.6f + d.y * 0.7f + 4, kSeed) +
                        0.5f * asset::ValueNoise(d.y * 3.1f + 9, d.x * 3.1f - d.z + 9, kSeed + 1);
    Vec3 p = d * (kRadius * (0.78f + 0.3f * lumps));
    p.y *= 0.72f;
    p.y = std::max(p.y, -kRadius * 0.28f);  // resting face
    p.y += kRadius * 0.28f;
    shaped.push_back(p);
  }
  // Every triangle has vertices of its own: flat facets, and the texture
  // projected along the axis the facet faces most (granite hides the seams).
  ObjWriter obj;
  constexpr float kTexelsPerUnit = 1.0f / 24;
  for (size_t f = 0; f < faces.size(); f += 3) {
    const Vec3 a = shaped[faces[f]], b = shaped[faces[f + 1]], c = shaped[faces[f + 2]];
    const Vec3 n = Normalised(Cross(b - a, c - a));
    const float ax = std::fabs(n.x), ay = std::fabs(n.y), az = std::fabs(n.z);
    int corner[3];
    int k = 0;
    for (const Vec3& p : {a, b, c}) {
      const float u = (ax >= ay && ax >= az ? p.z : p.x) * kTexelsPerUnit;
      const float v = (ay >= ax && ay >= az ? p.z : p.y) * kTexelsPerUnit;
      corner[k++] = obj.Add({p, u, v, n});
    }
    obj.Triangle(corner[0], corner[1], corner[2]);
  }
  return obj.Text({"Kleiner Granitfelsen: a small granite boulder",
                   std::to_string(obj.VertexCount()) + " vertices, " +
                       std::to_string(obj.TriangleCount()) + " triangles"});
}

}  // namespace

std::string ModelText(std::string_view kind) {
  if (kind == "palm") {
    return Palm({.seed = 31,
                 .height = 780,
                 .lean = 0.2f,
                 .leanAngle = 20,
                 .baseRadius = 20,
                 .topRadius = 13,
                 .rings = 18,
                 .fronds = 14,
                 .frondLength = 360,
                 .frondWidth = 62},
                "palm");
  }
  if (kind == "palm-alt") {
    return Palm({.seed = 57,
                 .height = 600,
                 .lean = 0.38f,
                 .leanAngle = 200,
                 .baseRadius = 18,
                 .topRadius = 12,
                 .rings = 14,
                 .fronds = 9,
                 .frondLength = 320,
                 .frondWidth = 56},
                "alternative palm");
  }
  if (kind == "bush") return Bush();
  if (kind == "rock") return Rock();
  return {};
}

}  // namespace models
