#include "bench/reference_views.h"

#include <array>
#include <cmath>
#include <limits>

#include "bench/run_report.h"
#include "scene/camera.h"

namespace bench {
namespace {

// Poses of the island's own camera path and the program's menu pose; the
// scene time puts the caustics and the water at a fixed moment.
constexpr std::array<ReferenceView, 5> kViews{{
    {"menu", scene::kMenuPosePosition, scene::kMenuPoseAngles, 5000.0},
    {"shore", {-2000.0f, 420.0f, 19500.0f}, {5.74f, 4.69f, 5.74f}, 5000.0},
    {"islet", {-6733.0f, 224.0f, 16493.0f}, {4.66f, 4.71f, 4.66f}, 5000.0},
    {"underwater", {1863.0f, 120.0f, 8880.0f}, {2.0f, 4.66f, 2.0f}, 5000.0},
    {"sun-on-sea", {-13437.0f, 2500.0f, 13273.0f}, {0.78f, 4.45f, 0.78f}, 5000.0},
}};

}  // namespace

std::span<const ReferenceView> ReferenceViews() { return kViews; }

std::string ReferenceName(const ReferenceView& view, int detailLevel) {
  return std::string(view.name) + "-" + QualityName(detailLevel);
}

double Psnr(std::span<const uint8_t> a, std::span<const uint8_t> b) {
  if (a.size() != b.size() || a.empty()) return 0.0;
  double squares = 0.0;
  for (size_t i = 0; i < a.size(); ++i) {
    const double d = static_cast<double>(a[i]) - static_cast<double>(b[i]);
    squares += d * d;
  }
  if (squares == 0.0) return std::numeric_limits<double>::infinity();
  const double mse = squares / static_cast<double>(a.size());
  return 10.0 * std::log10(255.0 * 255.0 / mse);
}

}  // namespace bench
