// Caustics: the bright net of lines that sunlight focused by the waves draws
// on the sea floor. The frames loop (the last flows into the first) and each
// tiles seamlessly, since the floor repeats it many times.
#pragma once

#include "tools/asset-common/asset_image.h"

namespace caustics {

inline constexpr int kFrameCount = 32;

// Frame `frame` (0 .. kFrameCount - 1) as a size x size grey RGB image:
// light lines on black.
asset::Image PaintFrame(int frame, int size);

}  // namespace caustics
