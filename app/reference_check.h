// The reference pictures the program carries, and the comparison of drawn
// pictures with them. Its own library, so that scene-shot, which makes the
// pictures, does not need them to be built.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/reference_pictures.h"

namespace app {

// Compares the drawn pictures with the carried ones; a picture below
// bench::kValidPsnrDb is written with its reference into the private
// temporary folder.
std::vector<ViewVerdict> CompareWithReferences(const std::vector<ViewPicture>& pictures);

// The carried picture of that name ("shore-low") as RGB; empty when there
// is none or it does not decode to the reference size.
std::vector<uint8_t> CarriedReference(const std::string& name);

}  // namespace app
