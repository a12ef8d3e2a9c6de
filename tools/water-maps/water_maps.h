// The water surface's two maps, both tiling seamlessly since the sea
// repeats them hundreds of times: every wave and noise layer repeats a whole
// number of times across the image.
#pragma once

#include "tools/asset-common/asset_image.h"

namespace water {

// Small ripples as a tangent-space normal map: RGB = normal * 0.5 + 0.5 with
// x along s, y along t and z up out of the surface, so mostly blue.
asset::Image PaintNormalMap(int size);

// Distortion offsets: R and G = 0.5 + the offset along s and t (about
// +-0.25 at most), B = 0.
asset::Image PaintDudvMap(int size);

}  // namespace water
