#include "tests/render/render_test_support.h"

#include <stb_image_write.h>

#include <cstring>
#include <string>

#include "render/gl_entry_points.h"

namespace rendertest {
namespace {

void Append(void* context, void* data, int size) {
  auto* out = static_cast<std::vector<uint8_t>*>(context);
  const auto* bytes = static_cast<const uint8_t*>(data);
  out->insert(out->end(), bytes, bytes + size);
}

}  // namespace

std::vector<uint8_t> TestPixels(int width, int height, int channels) {
  std::vector<uint8_t> pixels;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const uint8_t values[4] = {static_cast<uint8_t>(x * 16), static_cast<uint8_t>(y * 16), 200,
                                 static_cast<uint8_t>(100 + x)};
      if (channels == 2) {
        pixels.push_back(values[0]);
        pixels.push_back(values[3]);
      } else {
        pixels.insert(pixels.end(), values, values + channels);
      }
    }
  }
  return pixels;
}

std::vector<uint8_t> EncodePng(int width, int height, int channels,
                               const std::vector<uint8_t>& pixels) {
  std::vector<uint8_t> out;
  stbi_write_png_to_func(Append, &out, width, height, channels, pixels.data(), width * channels);
  return out;
}

std::vector<uint8_t> EncodeJpeg(int width, int height, int channels,
                                const std::vector<uint8_t>& pixels, int quality) {
  std::vector<uint8_t> out;
  stbi_write_jpg_to_func(Append, &out, width, height, channels, pixels.data(), quality);
  return out;
}

render::BitmapHandle SolidBitmap(int width, int height, int bitsPixel, uint8_t fill) {
  render::BitmapHandle bitmap = render::BitmapObject::Allocate(width, height, bitsPixel);
  const render::BitmapDescription& d = bitmap->description();
  std::memset(d.bits, fill, static_cast<size_t>(d.widthBytes) * d.height);
  return bitmap;
}

}  // namespace rendertest
