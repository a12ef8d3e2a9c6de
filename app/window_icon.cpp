#include "app/window_icon.h"

#include <span>

#include "embedded/icon.h"
#include "render/dib_bitmap.h"
#include "render/image_decode.h"

namespace app {

IconPixels DecodeIcon(const uint8_t* png, int32_t length) {
  render::DibBitmap bitmap;
  // Flipped, so memory row 0 is the picture's top row.
  if (!render::DecodeImage(bitmap, png, length, true) || bitmap.description().bitsPixel != 32) {
    return {};
  }
  IconPixels icon{bitmap.width(), bitmap.height(), {}};
  icon.rgba.reserve(size_t{4} * icon.width * icon.height);
  for (int y = 0; y < icon.height; ++y) {
    for (int x = 0; x < icon.width; ++x) {
      const uint32_t argb = bitmap.GetPixel(x, y);
      icon.rgba.insert(icon.rgba.end(),
                       {static_cast<uint8_t>(argb >> 16), static_cast<uint8_t>(argb >> 8),
                        static_cast<uint8_t>(argb), static_cast<uint8_t>(argb >> 24)});
    }
  }
  return icon;
}

void SetProgramIcon(platform::Window& window) {
  const std::span<uint8_t> png = embedded::window_icon.Unscrambled();
  const IconPixels icon = DecodeIcon(png.data(), static_cast<int32_t>(png.size()));
  if (icon.width > 0) window.SetIcon(icon.width, icon.height, icon.rgba);
}

}  // namespace app
