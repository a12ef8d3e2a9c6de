// The shared texture table: 1000 numbered slots of GL texture names, with the
// slots the program uses named below. The table owns what it holds: a
// texture is deleted exactly once, when its slot is given another texture or
// by ReleaseAll at shutdown.
//
// Rule: GL calls need a current context, and the table cannot know whether
// one is current when it is destroyed. So the destructor never calls GL;
// whoever owns the table calls ReleaseAll while the context that shares these
// textures is still current. A table destroyed without that leaves its
// textures to the context's own end.
#pragma once

#include <GL/gl.h>

#include <array>

namespace render {

class TextureSlots {
 public:
  static constexpr int kCount = 1000;

  // Named slots.
  static constexpr int kWaterReflection = 0;  // 512 x 512 copy of the mirrored scene
  static constexpr int kWaterOverlayMap = 2;  // water surface and the simple water quad
  static constexpr int kWaterMap = 3;
  static constexpr int kTerrainColourMap = 5;
  static constexpr int kTerrainDetailMap = 6;
  static constexpr int kFirstSkyFace = 11;  // six faces, 11 ... 16
  static constexpr int kSkyFaceCount = 6;
  static constexpr int kFirstCausticFrame = 17;  // 32 frames, 17 ... 48
  static constexpr int kCausticFrameCount = 32;
  static constexpr int kTerrainRegionMask = 56;
  static constexpr int kHudText = 57;  // 256 x 256 copy of the HUD's text block

  static constexpr int SkyFace(int face) { return kFirstSkyFace + face; }
  static constexpr int CausticFrame(int frame) { return kFirstCausticFrame + frame; }

  TextureSlots() = default;
  ~TextureSlots() = default;  // no GL here: see the rule above
  TextureSlots(const TextureSlots&) = delete;
  TextureSlots& operator=(const TextureSlots&) = delete;

  // The texture in `slot`; 0 when the slot is empty or out of range.
  GLuint Get(int slot) const;
  // Puts `texture` into `slot`, deleting the one there before unless it is
  // the same. False (and nothing changes, `texture` stays the caller's)
  // when the slot is out of range.
  bool Replace(int slot, GLuint texture);
  // Deletes every texture held, each once, and empties the table. Needs a
  // current context.
  void ReleaseAll();

 private:
  std::array<GLuint, kCount> names_{};
};

}  // namespace render
