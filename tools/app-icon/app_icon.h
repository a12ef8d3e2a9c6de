// The program's icon: a palm on a sandy island in the sea, a sun in the sky,
// inside a rounded square with a dark rim; transparent outside it. The shapes
// are bold enough to stay readable at 16 x 16 pixels.
#pragma once

#include "tools/asset-common/asset_image.h"

namespace icon {

// An RGBA image of size x size (size >= 1), the same pixels on every run.
asset::Image PaintIcon(int size);

}  // namespace icon
