// GL textures from bitmaps and empty render-target textures. Texture names
// live in the caller's variables or in the shared texture table
// (render/texture_slots.h), which the caller passes in.
#pragma once

#include <GL/gl.h>

#include <span>

#include "render/dib_bitmap.h"
#include "render/embedded_file.h"
#include "render/texture_slots.h"

namespace render {

// Turns a bitmap into a 2D texture in `name` (an old texture there is deleted
// first) and frees the bitmap. 24-bit bitmaps give an RGB texture, 32-bit an
// RGBA texture; other depths give a texture without an image. Magnification
// is always linear; minification is linear-mipmap-linear with mipmaps made by
// the driver and anisotropy `maxAnisotropy` only when `mipmaps` is asked for
// and `maxAnisotropy` is non-zero, plain linear otherwise. A null bitmap
// returns false and leaves `name` alone.
bool CreateTextureFromBitmap(GLuint& name, BitmapHandle bitmap, bool mipmaps, int maxAnisotropy);
// The same with the driver's maximum anisotropy (Gl().maxAnisotropy).
bool CreateTextureFromBitmap(GLuint& name, BitmapHandle bitmap, bool mipmaps);
// The same into a slot of the table, which deletes the slot's old texture.
// A null bitmap or a slot out of range returns false and changes nothing.
bool CreateTextureInSlot(TextureSlots& slots, int slot, BitmapHandle bitmap, bool mipmaps);

// A new square texture of size x size, zero-filled, linear filtering.
// `components` is the internal format (3 or 4, or a GL format enum).
bool CreateEmptyTexture(GLuint& name, int size, GLint components, GLenum format);
// As CreateEmptyTexture into a slot of the table, also clamped to the edge
// in S and T. A slot outside the table does nothing and returns false.
bool CreateEmptyClampedTexture(TextureSlots& slots, int size, GLint components, GLenum format,
                               int slot);
// Replaces `name` with a new width x height texture without data (unsigned
// byte pixels, linear filtering) and unbinds it.
bool CreateEmptyTexture2D(GLuint& name, int width, int height, GLint internalFormat, GLenum format);
// Uploads the bitmap's bytes as they lie as a width x height RGBA texture
// (its B, G, R, A order is taken as R, G, B, A). Refused (false) when the
// bitmap is not 32-bit or holds fewer than width x height pixels.
bool UploadBitmapToTexture(const DibBitmap& bitmap, GLuint name, int width, int height);

// An animated texture sequence (the caustic frames): its embedded images and
// the flag that unscrambles them on the first load only.
struct CausticSequence {
  std::span<EmbeddedFile* const> files;
  bool firstCall = true;
};

// Decodes every frame (flipped vertically) into slot firstSlot + i with
// mipmaps. A frame that does not decode shows "Mem-Bitmap-Errr" and stops
// the sequence; the frames after it stay as they were. Returns the number of
// frames loaded.
int LoadCausticSequence(CausticSequence& sequence, TextureSlots& slots, int firstSlot);

}  // namespace render
