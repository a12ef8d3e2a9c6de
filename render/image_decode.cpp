#include "render/image_decode.h"

#include <stb_image.h>

#include <cstring>
#include <memory>

namespace render {
namespace {

struct StbFree {
  void operator()(stbi_uc* p) const { stbi_image_free(p); }
};

// Copies one decoded row (RGB, RGBA, grey or grey+alpha) into a bitmap row
// (BGR, BGRA or grey).
void ConvertRow(const stbi_uc* src, uint8_t* dst, int width, int channels) {
  switch (channels) {
    case 1:
      std::memcpy(dst, src, static_cast<size_t>(width));
      break;
    case 2:
      for (int x = 0; x < width; ++x, src += 2, dst += 4) {
        dst[0] = dst[1] = dst[2] = src[0];
        dst[3] = src[1];
      }
      break;
    case 3:
      for (int x = 0; x < width; ++x, src += 3, dst += 3) {
        dst[0] = src[2];
        dst[1] = src[1];
        dst[2] = src[0];
      }
      break;
    default:
      for (int x = 0; x < width; ++x, src += 4, dst += 4) {
        dst[0] = src[2];
        dst[1] = src[1];
        dst[2] = src[0];
        dst[3] = src[3];
      }
      break;
  }
}

}  // namespace

bool DecodeImage(DibBitmap& target, const uint8_t* bytes, int32_t length, bool flip) {
  target.Reset();
  if (bytes == nullptr || length <= 0) return false;

  int width = 0, height = 0, channels = 0;
  if (stbi_info_from_memory(bytes, length, &width, &height, &channels) == 0) return false;
  if (width <= 0 || height <= 0 || int64_t{width} * height * 4 > kMaxDecodedImageBytes) {
    return false;
  }
  std::unique_ptr<stbi_uc, StbFree> decoded(
      stbi_load_from_memory(bytes, length, &width, &height, &channels, 0));
  if (decoded == nullptr || int64_t{width} * height * 4 > kMaxDecodedImageBytes) return false;

  const int bitsPixel = channels == 1 ? 8 : channels == 3 ? 24 : 32;
  BitmapHandle bitmap = BitmapObject::Allocate(width, height, bitsPixel);
  if (bitmap == nullptr) return false;
  const BitmapDescription& d = bitmap->description();
  const size_t srcRowBytes = static_cast<size_t>(width) * channels;
  for (int row = 0; row < height; ++row) {
    const int srcRow = flip ? row : height - 1 - row;
    ConvertRow(decoded.get() + srcRowBytes * srcRow,
               d.bits + static_cast<size_t>(d.widthBytes) * row, width, channels);
  }
  target.Attach(std::move(bitmap));
  return true;
}

RgbImage DecodeRgb(const uint8_t* bytes, int32_t length) {
  RgbImage image;
  int width = 0, height = 0, channels = 0;
  if (bytes == nullptr || length <= 0 ||
      stbi_info_from_memory(bytes, length, &width, &height, &channels) == 0 ||
      int64_t{width} * height * 4 > kMaxDecodedImageBytes) {
    return image;
  }
  std::unique_ptr<stbi_uc, StbFree> decoded(
      stbi_load_from_memory(bytes, length, &width, &height, &channels, 3));
  if (!decoded) return image;
  image.width = width;
  image.height = height;
  image.rgb.assign(decoded.get(), decoded.get() + static_cast<size_t>(width) * height * 3);
  return image;
}

}  // namespace render
