// The fixed views whose pictures prove that a driver draws the scene as it
// should: each is drawn at 320 x 240 at every quality level and compared
// with the picture this program carries, drawn on Mesa's llvmpipe. Pure: the
// drawing is app/reference_pictures.h.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "scene/vector3.h"

namespace bench {

inline constexpr int kReferenceWidth = 320;
inline constexpr int kReferenceHeight = 240;

// Against a picture of the same renderer, anything below this is a change
// of the picture (the tests hold the program to it).
inline constexpr double kSameRendererPsnrDb = 40.0;
// Against another driver, anything below this means the driver drew a
// different scene (a missing object, a broken shader), not merely rounded
// differently.
inline constexpr double kValidPsnrDb = 30.0;

struct ReferenceView {
  const char* name;
  scene::CVector3 position;
  scene::CVector3 angles;  // yaw, pitch, yaw2
  double sceneTimeMs;      // the caustics' and the water's clock
};

// The menu pose, a shore, the palm islet, under water with caustics, and a
// high view with the sun on the sea.
std::span<const ReferenceView> ReferenceViews();

// The quality levels the views are drawn at: the terrain's detail levels.
inline constexpr int kReferenceDetailLevels[] = {2, 1, 0};

// "shore-low", "shore-medium", "shore-high": the picture's name.
std::string ReferenceName(const ReferenceView& view, int detailLevel);

// Peak signal-to-noise ratio of two pictures of the same size, over all
// bytes, in decibels; infinity for identical pictures, 0 for pictures of
// different sizes or none.
double Psnr(std::span<const uint8_t> a, std::span<const uint8_t> b);

}  // namespace bench
