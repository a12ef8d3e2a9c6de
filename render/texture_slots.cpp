#include "render/texture_slots.h"

namespace render {

GLuint TextureSlots::Get(int slot) const { return slot >= 0 && slot < kCount ? names_[slot] : 0; }

bool TextureSlots::Replace(int slot, GLuint texture) {
  if (slot < 0 || slot >= kCount) return false;
  GLuint& held = names_[slot];
  if (held != 0 && held != texture) glDeleteTextures(1, &held);
  held = texture;
  return true;
}

void TextureSlots::ReleaseAll() {
  for (GLuint& name : names_) {
    if (name != 0) glDeleteTextures(1, &name);
    name = 0;
  }
}

}  // namespace render
