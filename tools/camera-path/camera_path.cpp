#include "tools/camera-path/camera_path.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "scene/colour_maps.h"
#include "scene/placement.h"
#include "scene/terrain_build.h"

namespace camera_path {
namespace {

struct Waypoint {
  double x, y, z;
};

// World x and z with the height wished for there; the floor may raise it.
// The island's south coast runs east-west near z = 16000, its highlands
// peak near (-14000, 14000) and (-10000, 10000), and open sea lies east of x = 0.
constexpr std::array kWaypoints{
    Waypoint{-2000, 420, 19500},    // out at sea, facing the coast
    Waypoint{-3500, 260, 17400},    // down to the water off the shore
    Waypoint{-6500, 220, 16500},    // along the shore, west, palms to the right
    Waypoint{-9000, 220, 16900},    //
    Waypoint{-11500, 230, 17300},   //
    Waypoint{-14500, 260, 17200},   //
    Waypoint{-16800, 420, 16300},   // round the western cape
    Waypoint{-15600, 900, 14900},   // turning inland, climbing
    Waypoint{-14000, 1450, 13800},  // over the highlands
    Waypoint{-12100, 1450, 11900},  //
    Waypoint{-10000, 1550, 10100},  //
    Waypoint{-8800, 1250, 7400},    //
    Waypoint{-6500, 900, 4700},     // down towards the east coast
    Waypoint{-3500, 400, 5000},     //
    Waypoint{0, 180, 7800},         // over the water
    Waypoint{2600, 40, 9200},       // under the surface
    Waypoint{5000, 40, 9800},       //
    Waypoint{7400, 260, 10000},     // back out
    Waypoint{10500, 480, 9400},     // out to sea
    Waypoint{13500, 560, 8600},     //
};

// Samples per spline segment before the path is spaced evenly.
constexpr int kSplineSamples = 400;
// Half-widths (keyframes) of the height and view smoothing windows.
constexpr int kHeightWindow = 30;
constexpr int kViewWindow = 20;
// The view looks along the flight from a little behind to a little ahead.
constexpr int kLookBehind = 4;
constexpr int kLookAhead = 16;
constexpr double kMaxElevation = 0.45;  // radians
constexpr double kTwoPi = 6.283185307179586;

Waypoint Lerp(const Waypoint& a, const Waypoint& b, double ta, double tb, double t) {
  if (tb == ta) return a;
  const double u = (t - ta) / (tb - ta);
  return {a.x + (b.x - a.x) * u, a.y + (b.y - a.y) * u, a.z + (b.z - a.z) * u};
}

double Knot(double t, const Waypoint& a, const Waypoint& b) {
  const double d = std::hypot(b.x - a.x, b.y - a.y, b.z - a.z);
  return t + std::sqrt(d);  // centripetal: no loops or cusps between points
}

// Centripetal Catmull-Rom between p1 and p2 at u in [0, 1].
Waypoint CatmullRom(const Waypoint& p0, const Waypoint& p1, const Waypoint& p2, const Waypoint& p3,
                    double u) {
  const double t0 = 0.0, t1 = Knot(t0, p0, p1), t2 = Knot(t1, p1, p2), t3 = Knot(t2, p2, p3);
  const double t = t1 + (t2 - t1) * u;
  const Waypoint a1 = Lerp(p0, p1, t0, t1, t);
  const Waypoint a2 = Lerp(p1, p2, t1, t2, t);
  const Waypoint a3 = Lerp(p2, p3, t2, t3, t);
  const Waypoint b1 = Lerp(a1, a2, t0, t2, t);
  const Waypoint b2 = Lerp(a2, a3, t1, t3, t);
  return Lerp(b1, b2, t1, t2, t);
}

std::vector<Waypoint> DenseSpline() {
  const int n = static_cast<int>(kWaypoints.size());
  const auto at = [&](int i) { return kWaypoints[static_cast<size_t>(std::clamp(i, 0, n - 1))]; };
  std::vector<Waypoint> dense;
  for (int i = 0; i + 1 < n; ++i) {
    Waypoint p0 = at(i - 1), p3 = at(i + 2);
    // Mirrored end points keep the first and last segments straight.
    if (i == 0) p0 = {2 * at(0).x - at(1).x, 2 * at(0).y - at(1).y, 2 * at(0).z - at(1).z};
    if (i + 2 >= n) {
      p3 = {2 * at(n - 1).x - at(n - 2).x, 2 * at(n - 1).y - at(n - 2).y,
            2 * at(n - 1).z - at(n - 2).z};
    }
    for (int s = 0; s < kSplineSamples; ++s) {
      dense.push_back(
          CatmullRom(p0, at(i), at(i + 1), p3, s / static_cast<double>(kSplineSamples)));
    }
  }
  dense.push_back(kWaypoints.back());
  return dense;
}

// kKeyframes points evenly spaced along the ground track.
std::vector<Waypoint> EvenlySpaced(const std::vector<Waypoint>& dense) {
  std::vector<double> length(dense.size(), 0.0);
  for (size_t i = 1; i < dense.size(); ++i) {
    length[i] =
        length[i - 1] + std::hypot(dense[i].x - dense[i - 1].x, dense[i].z - dense[i - 1].z);
  }
  std::vector<Waypoint> even;
  size_t j = 1;
  for (int k = 0; k < kKeyframes; ++k) {
    const double s = length.back() * k / (kKeyframes - 1);
    while (j + 1 < dense.size() && length[j] < s) ++j;
    even.push_back(Lerp(dense[j - 1], dense[j], length[j - 1], length[j], s));
  }
  return even;
}

// Each value the mean over a window of half-width w (clamped at the ends).
std::vector<double> BoxSmooth(const std::vector<double>& v, int w) {
  const int n = static_cast<int>(v.size());
  std::vector<double> out(v.size());
  for (int i = 0; i < n; ++i) {
    double sum = 0.0;
    const int lo = std::max(0, i - w), hi = std::min(n - 1, i + w);
    for (int j = lo; j <= hi; ++j) sum += v[static_cast<size_t>(j)];
    out[static_cast<size_t>(i)] = sum / (hi - lo + 1);
  }
  return out;
}

// Each value the maximum over a window of half-width w.
std::vector<double> Dilate(const std::vector<double>& v, int w) {
  const int n = static_cast<int>(v.size());
  std::vector<double> out(v.size());
  for (int i = 0; i < n; ++i) {
    const auto lo = v.begin() + std::max(0, i - w), hi = v.begin() + std::min(n - 1, i + w) + 1;
    out[static_cast<size_t>(i)] = *std::max_element(lo, hi);
  }
  return out;
}

}  // namespace

bool BuildIsland(Island& island) {
  if (!scene::GenerateHeightMap(island.map, 11, 616)) return false;
  island.grid.width = island.map.width;
  island.grid.height = island.map.height;
  // Placement continues the generator where the colour painting left it.
  scene::SceneRandom random;
  if (!scene::PaintColourMaps(island.map, scene::FallbackTerrainTiles(), random)) return false;
  scene::PlacementState placement;
  island.palms = scene::PlaceSceneObjects(island.map, island.grid, placement, random).palms;
  return true;
}

float TerrainTop(const Island& island, float x, float z) {
  return scene::SampleTerrainHeight(island.map, island.grid, static_cast<int>(x),
                                    static_cast<int>(z), 3)
      .maximum;
}

float FlightFloor(const Island& island, float x, float z) {
  float floor = TerrainTop(island, x, z) + kTerrainMargin;
  for (const scene::CVector3& palm : island.palms) {
    if (std::hypot(palm.x - x, palm.z - z) < kTrunkDistance) {
      floor = std::max(floor, palm.y + kPalmHeight + kPalmMargin);
    }
  }
  return floor;
}

std::vector<bench::Keyframe> FlyPath(const Island& island) {
  std::vector<Waypoint> points = EvenlySpaced(DenseSpline());
  const size_t n = points.size();

  // Raise the wished-for height to the floor: the maximum over a window,
  // then the mean over a window as wide, never dips below any floor value in
  // reach and has no corners.
  std::vector<double> height(n);
  for (size_t i = 0; i < n; ++i) {
    const auto x = static_cast<float>(points[i].x), z = static_cast<float>(points[i].z);
    height[i] = std::max(points[i].y, static_cast<double>(FlightFloor(island, x, z)));
  }
  height = BoxSmooth(Dilate(height, kHeightWindow), kHeightWindow);
  for (size_t i = 0; i < n; ++i) points[i].y = height[i];

  // The camera looks along the flight: -back is (cos e sin yaw, sin e,
  // -cos e cos yaw) for pitch = 3 pi / 2 + e.
  std::vector<double> yaw(n), elevation(n);
  for (size_t i = 0; i < n; ++i) {
    const Waypoint& from = points[i >= kLookBehind ? i - kLookBehind : 0];
    const Waypoint& to = points[std::min(n - 1, i + kLookAhead)];
    const double dx = to.x - from.x, dy = to.y - from.y, dz = to.z - from.z;
    double heading = std::atan2(dx, -dz);
    if (i > 0) heading += kTwoPi * std::round((yaw[i - 1] - heading) / kTwoPi);
    yaw[i] = heading;
    elevation[i] = std::clamp(std::atan2(dy, std::hypot(dx, dz)), -kMaxElevation, kMaxElevation);
  }
  yaw = BoxSmooth(yaw, kViewWindow);
  elevation = BoxSmooth(elevation, kViewWindow);

  std::vector<bench::Keyframe> keyframes;
  keyframes.reserve(n);
  for (size_t i = 0; i < n; ++i) {
    bench::Keyframe k;
    k.x = static_cast<float>(points[i].x);
    k.y = static_cast<float>(points[i].y);
    k.z = static_cast<float>(points[i].z);
    const double heading = yaw[i] - kTwoPi * std::floor(yaw[i] / kTwoPi);
    k.yaw = static_cast<float>(heading);
    k.pitch = static_cast<float>(1.5 * 3.141592653589793 + elevation[i]);
    k.yaw2 = k.yaw;
    k.timeMs = kDurationMs * static_cast<double>(i) / static_cast<double>(n - 1);
    keyframes.push_back(k);
  }
  return keyframes;
}

}  // namespace camera_path
