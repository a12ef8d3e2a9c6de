// Decoding JPEG and PNG files held in memory into bitmaps.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "render/dib_bitmap.h"

namespace render {

// The largest decoded image accepted: width x height x 4 bytes.
inline constexpr int64_t kMaxDecodedImageBytes = int64_t{64} << 20;

// Decodes `bytes` into `target`: an image without alpha becomes a 24-bit
// bitmap, one with alpha a 32-bit bitmap, a grey one an 8-bit bitmap. Rows
// are stored bottom-up as usual, so the image's top row lands in the last
// memory row; with `flip` the image is mirrored vertically (its top row in
// memory row 0). Anything that does not decode, or whose width x height x 4
// would exceed kMaxDecodedImageBytes, leaves `target` empty. Returns whether
// an image was decoded.
bool DecodeImage(DibBitmap& target, const uint8_t* bytes, int32_t length, bool flip);

// A picture as R, G, B bytes, top row first.
struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;
};

// Decodes a PNG or JPEG into RGB bytes; empty (width 0) when it does not
// decode or is too large.
RgbImage DecodeRgb(const uint8_t* bytes, int32_t length);

}  // namespace render
