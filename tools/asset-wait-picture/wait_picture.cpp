// asset-wait-picture <output.jpg>: paints the wait window's picture, an island
// with palms in front of a setting sun, 798 x 244 pixels: the wait window's
// own size, so it is shown unstretched.
#include <algorithm>
#include <cmath>

#include "tools/asset-common/asset_image.h"
#include "tools/asset-common/asset_noise.h"

namespace {

// The scene is laid out on a 400 x 200 plan (the constants below), drawn
// kScale times larger and moved kShift pixels right to sit in the middle.
constexpr int kWidth = 798;
constexpr int kHeight = 244;
constexpr float kScale = 1.22f;
constexpr float kShift = 155.0f;
constexpr float kPlanHeight = 200.0f;
constexpr float kHorizon = 124.0f;
constexpr float kSunX = 262.0f;
constexpr float kSunY = 112.0f;
constexpr float kSunRadius = 21.0f;

const asset::Colour kZenith{0.09f, 0.09f, 0.26f};
const asset::Colour kDusk{0.52f, 0.24f, 0.42f};
const asset::Colour kGlow{1.0f, 0.56f, 0.24f};
const asset::Colour kSun{1.0f, 0.88f, 0.60f};
const asset::Colour kDeepSea{0.04f, 0.05f, 0.14f};
const asset::Colour kNearSea{0.36f, 0.20f, 0.30f};
const asset::Colour kSilhouette{0.05f, 0.03f, 0.08f};

asset::Colour Sky(float x, float y) {
  const float t = y / kHorizon;
  asset::Colour c = t < 0.55f ? asset::Mix(kZenith, kDusk, t / 0.55f)
                              : asset::Mix(kDusk, kGlow, (t - 0.55f) / 0.45f);
  const float d = std::hypot(x - kSunX, (y - kSunY) * 1.6f);
  c = asset::Mix(c, kGlow, 0.55f * std::exp(-d / 60.0f));
  // Thin clouds lit from below, stretched along the horizon.
  const float n = asset::FractalNoise(x / 70.0f, y / 9.0f, 4, 7);
  const float cloud = std::clamp((n - 0.56f) * 4.0f, 0.0f, 1.0f) * std::clamp(t * 1.4f, 0.0f, 1.0f);
  c = asset::Mix(c, asset::Colour{0.95f, 0.45f, 0.42f}, cloud * 0.6f);
  // A few early stars high up.
  if (y < 50 && asset::HashUnit(static_cast<int>(x), static_cast<int>(y), 3) > 0.9975f) {
    c = asset::Mix(c, asset::Colour{1, 1, 0.95f}, 0.8f * (1 - y / 50));
  }
  return c;
}

asset::Colour Sea(float x, float y) {
  const float t = (y - kHorizon) / (kPlanHeight - kHorizon);
  asset::Colour c = asset::Mix(kNearSea, kDeepSea, std::sqrt(t));
  // The sun's path on the water: broken horizontal glints widening towards us.
  const float spread = 14.0f + 60.0f * t;
  const float across = std::exp(-std::pow((x - kSunX) / spread, 2.0f));
  const float wave = asset::ValueNoise(x / (4.0f + 10 * t), y / (1.0f + 2 * t), 11);
  const float glint = std::clamp((wave - 0.45f) * 3.0f, 0.0f, 1.0f) * across;
  return asset::Mix(c, kSun, glint * (0.9f - 0.5f * t));
}

// Height of the island above the horizon at column x (0 off the island).
float IslandHeight(float x) {
  const float u = (x - 40.0f) / 190.0f;
  if (u <= 0 || u >= 1) return 0;
  const float hump = std::pow(std::sin(u * 3.14159265f), 0.7f) * (30.0f + 18.0f * std::sin(u * 5));
  return hump * (0.85f + 0.3f * asset::FractalNoise(x / 12.0f, 0.5f, 3, 5));
}

// A disc given on the plan.
void Disc(asset::Image& image, float planX, float planY, float planR, const asset::Colour& c) {
  const float cx = planX * kScale + kShift, cy = planY * kScale, r = planR * kScale;
  for (int y = static_cast<int>(cy - r - 1); y <= static_cast<int>(cy + r + 1); ++y) {
    for (int x = static_cast<int>(cx - r - 1); x <= static_cast<int>(cx + r + 1); ++x) {
      const float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy);
      image.Blend(x, y, c, r - d + 0.5f);
    }
  }
}

// A palm: a leaning trunk and drooping fronds, all as silhouette.
void Palm(asset::Image& image, float baseX, float baseY, float height, float lean) {
  const int steps = 60;
  float topX = baseX, topY = baseY;
  for (int i = 0; i <= steps; ++i) {
    const float s = static_cast<float>(i) / steps;
    topX = baseX + lean * s * s * height;
    topY = baseY - s * height;
    Disc(image, topX, topY, 2.2f - 1.2f * s, kSilhouette);
  }
  const float angles[] = {-2.9f, -2.3f, -1.7f, -1.1f, -0.5f, 0.1f, 0.6f};
  for (float a : angles) {
    const float reach = height * 0.55f;
    for (int i = 0; i <= 40; ++i) {
      const float s = static_cast<float>(i) / 40;
      const float x = topX + std::cos(a) * reach * s;
      const float y = topY + std::sin(a) * reach * s * 0.6f + 14.0f * s * s;
      Disc(image, x, y, 1.8f * (1 - s) + 0.4f, kSilhouette);
    }
  }
}

asset::Image Paint() {
  asset::Image image(kWidth, kHeight, 3);
  const auto planX = [](int x) { return (x + 0.5f - kShift) / kScale; };
  const auto planY = [](int y) { return (y + 0.5f) / kScale; };
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const float px = planX(x), py = planY(y);
      image.Set(x, y, py < kHorizon ? Sky(px, py) : Sea(px, py));
    }
  }
  Disc(image, kSunX, kSunY, kSunRadius, kSun);
  // The sea covers the sun's lower part again.
  for (int y = 0; y < kHeight; ++y) {
    if (planY(y) < kHorizon) continue;
    for (int x = 0; x < kWidth; ++x) image.Set(x, y, Sea(planX(x), planY(y)));
  }
  for (int x = 0; x < kWidth; ++x) {
    const float h = IslandHeight(planX(x)) * kScale;
    for (int y = 0; y < kHeight; ++y) {
      const float above = kHorizon * kScale - (y + 0.5f);
      if (h > 0 && above > -0.5f) {
        image.Blend(x, y, kSilhouette, std::min(h - above + 0.5f, above + 0.5f));
      }
      // Its blurred reflection darkens the water below.
      const float below = -above;
      if (h > 0 && below > 0 && below < h * 0.6f) {
        image.Blend(x, y, kSilhouette, 0.55f * (1 - below / (h * 0.6f)));
      }
    }
  }
  Palm(image, 118, kHorizon - IslandHeight(118) + 4, 58, 0.35f);
  Palm(image, 150, kHorizon - IslandHeight(150) + 4, 44, -0.25f);
  Palm(image, 185, kHorizon - IslandHeight(185) + 4, 36, 0.45f);
  return image;
}

}  // namespace

int main(int argc, char** argv) { return asset::RunImageGenerator(argc, argv, Paint(), 88); }
