#include "render/png_encode.h"

#include <stb_image_write.h>

namespace render {

std::string EncodePngRgb(const std::vector<uint8_t>& rgb, int width, int height) {
  if (width <= 0 || height <= 0 || rgb.size() != static_cast<size_t>(width) * height * 3) return {};
  std::string png;
  const auto append = [](void* context, void* data, int size) {
    static_cast<std::string*>(context)->append(static_cast<const char*>(data),
                                               static_cast<size_t>(size));
  };
  if (stbi_write_png_to_func(append, &png, width, height, 3, rgb.data(), width * 3) == 0) return {};
  return png;
}

}  // namespace render
