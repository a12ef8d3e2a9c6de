#include "render/embedded_file.h"

namespace render {

int Unscramble(uint8_t* bytes, int32_t length, int key) {
  for (int32_t i = 0; i < length; ++i) bytes[i] = static_cast<uint8_t>(bytes[i] - key);
  return 1;
}

std::span<uint8_t> EmbeddedFile::Unscrambled() {
  if (!unscrambled_) {
    Unscramble(bytes_, length(), kEmbeddedFileKey);
    unscrambled_ = true;
  }
  return stored();
}

}  // namespace render
