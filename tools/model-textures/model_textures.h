// The textures of the scene's models and grass. Leaves are cut out by alpha
// (the scene tests alpha > 0.5); round every leaf the colour runs on under
// zero alpha, so that filtering and mipmaps do not darken the edges.
#pragma once

#include <string_view>

#include "tools/asset-common/asset_image.h"

namespace models {

// The texture of `kind`, or an empty 0 x 0 image for an unknown kind:
//   palm    512 x 512 RGBA: bark strip and frond (model_objs.h has the layout)
//   bush    256 x 256 RGBA: a spray of leaves on twigs, for the bush's cards
//   grass   256 x 256 RGBA: blades growing from the bottom edge
//   noise   256 x 256 RGB: three independent tiling noise fields
//   object  256 x 256 RGB: tiling granite, for the rock
asset::Image ModelTexture(std::string_view kind);

}  // namespace models
