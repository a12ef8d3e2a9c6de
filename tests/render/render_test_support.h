// Helpers shared by the render tests: images encoded in memory and a GL
// context with the entry-point table filled.
#pragma once

#include <cstdint>
#include <vector>

#include "render/dib_bitmap.h"

namespace rendertest {

// A width x height test image with `channels` (1-4), top row first; pixel
// (x, y) has R = x * 16, G = y * 16, B = 200, A = 100 + x (as many as the
// channel count has).
std::vector<uint8_t> TestPixels(int width, int height, int channels);
std::vector<uint8_t> EncodePng(int width, int height, int channels,
                               const std::vector<uint8_t>& pixels);
std::vector<uint8_t> EncodeJpeg(int width, int height, int channels,
                                const std::vector<uint8_t>& pixels, int quality);

// A bitmap handle of the given depth with every byte set to `fill`.
render::BitmapHandle SolidBitmap(int width, int height, int bitsPixel, uint8_t fill);

}  // namespace rendertest
