// The reference views drawn by the program's own frame code into a frame
// buffer of their own, and compared with the pictures the program carries
// (drawn on Mesa's llvmpipe when they were made): a check that the driver
// draws what it should. Used by --validate and by scene-shot, which makes
// the carried pictures.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "bench/reference_views.h"

namespace app {

struct Application;

struct ViewPicture {
  std::string name;          // "shore-low"
  std::vector<uint8_t> rgb;  // kReferenceWidth x kReferenceHeight, top row first
};

// Draws every view at every quality level with the scene's default look
// (reflecting water, default brightness, every object), then puts back the
// camera, pass, quality, brightness and viewport. Empty when the driver has
// no frame buffer objects. `withoutPalms` leaves the palms out: a broken
// frame for tests.
std::vector<ViewPicture> DrawReferencePictures(Application& a, bool withoutPalms = false);

struct ViewVerdict {
  std::string name;
  double psnrDb = 0.0;
  bool passed = false;
  std::optional<std::string> savedPath;  // the user's picture, when it failed
};

// Compares drawn pictures with the carried ones (app/reference_check.h); the
// program's entry hands it in, so that tools drawing the pictures need not
// carry them.
using ReferenceCheck =
    std::function<std::vector<ViewVerdict>(const std::vector<ViewPicture>& pictures)>;

}  // namespace app
