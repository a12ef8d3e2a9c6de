#include "render/textures.h"

#include <GL/glext.h>

#include <vector>

#include "platform/message_box.h"
#include "render/gl_entry_points.h"
#include "render/image_decode.h"

namespace render {
namespace {

constexpr int kMaxTextureSize = 16384;

void SetLinearFiltering() {
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
}

bool ValidSize(int width, int height) {
  return width > 0 && height > 0 && width <= kMaxTextureSize && height <= kMaxTextureSize;
}

}  // namespace

bool CreateTextureFromBitmap(GLuint& name, BitmapHandle bitmap, bool mipmaps, int maxAnisotropy) {
  if (bitmap == nullptr) return false;
  if (name != 0) glDeleteTextures(1, &name);
  glGenTextures(1, &name);

  const BitmapDescription& d = bitmap->description();
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glBindTexture(GL_TEXTURE_2D, name);
  const bool anisotropic = mipmaps && maxAnisotropy != 0;
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER,
                  anisotropic ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  if (anisotropic) {
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAX_ANISOTROPY_EXT,
                    static_cast<GLfloat>(maxAnisotropy));
    glTexParameteri(GL_TEXTURE_2D, GL_GENERATE_MIPMAP, GL_TRUE);
  }
  if (d.bitsPixel == 32) {
    glTexImage2D(GL_TEXTURE_2D, 0, 4, d.width, d.height, 0, GL_BGRA_EXT, GL_UNSIGNED_BYTE, d.bits);
  } else if (d.bitsPixel == 24) {
    glTexImage2D(GL_TEXTURE_2D, 0, 3, d.width, d.height, 0, GL_BGR_EXT, GL_UNSIGNED_BYTE, d.bits);
  }
  return true;
}

bool CreateTextureFromBitmap(GLuint& name, BitmapHandle bitmap, bool mipmaps) {
  return CreateTextureFromBitmap(name, std::move(bitmap), mipmaps, Gl().maxAnisotropy);
}

bool CreateTextureInSlot(TextureSlots& slots, int slot, BitmapHandle bitmap, bool mipmaps) {
  if (bitmap == nullptr || slot < 0 || slot >= TextureSlots::kCount) return false;
  GLuint name = 0;
  CreateTextureFromBitmap(name, std::move(bitmap), mipmaps);
  return slots.Replace(slot, name);
}

bool CreateEmptyTexture(GLuint& name, int size, GLint components, GLenum format) {
  if (!ValidSize(size, size)) return false;
  // Four bytes per component covers every format with unsigned int pixels.
  const std::vector<GLuint> zeros(static_cast<size_t>(size) * size * 4, 0);
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glTexImage2D(GL_TEXTURE_2D, 0, components, size, size, 0, format, GL_UNSIGNED_INT, zeros.data());
  SetLinearFiltering();
  return true;
}

bool CreateEmptyClampedTexture(TextureSlots& slots, int size, GLint components, GLenum format,
                               int slot) {
  if (slot < 0 || slot >= TextureSlots::kCount) return false;
  GLuint name = 0;
  if (!CreateEmptyTexture(name, size, components, format)) return false;
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  return slots.Replace(slot, name);
}

bool CreateEmptyTexture2D(GLuint& name, int width, int height, GLint internalFormat,
                          GLenum format) {
  if (!ValidSize(width, height)) return false;
  if (name != 0) glDeleteTextures(1, &name);
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, width, height, 0, format, GL_UNSIGNED_BYTE,
               nullptr);
  SetLinearFiltering();
  glBindTexture(GL_TEXTURE_2D, 0);
  return true;
}

bool UploadBitmapToTexture(const DibBitmap& bitmap, GLuint name, int width, int height) {
  if (bitmap.empty() || bitmap.description().bitsPixel != 32 || !ValidSize(width, height) ||
      int64_t{width} * height > int64_t{bitmap.width()} * bitmap.height()) {
    return false;
  }
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, name);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glTexImage2D(GL_TEXTURE_2D, 0, 4, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, bitmap.pixels());
  glBindTexture(GL_TEXTURE_2D, 0);
  glDisable(GL_TEXTURE_2D);
  return true;
}

int LoadCausticSequence(CausticSequence& sequence, TextureSlots& slots, int firstSlot) {
  if (sequence.firstCall) {
    sequence.firstCall = false;
    for (EmbeddedFile* file : sequence.files) file->Unscrambled();
  }
  int loaded = 0;
  for (size_t i = 0; i < sequence.files.size(); ++i) {
    const int slot = firstSlot + static_cast<int>(i);
    if (firstSlot < 0 || slot >= TextureSlots::kCount) break;
    std::span<uint8_t> bytes = sequence.files[i]->stored();
    DibBitmap frame;
    DecodeImage(frame, bytes.data(), static_cast<int32_t>(bytes.size()), true);
    if (frame.empty()) {
      platform::ShowMessageBox(u"Mem-Bitmap-Errr", u"");
      break;
    }
    CreateTextureInSlot(slots, slot, frame.Release(), true);
    ++loaded;
  }
  return loaded;
}

}  // namespace render
