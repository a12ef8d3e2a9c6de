// Text in the 3D view: one glBitmap display list per character code 0-255,
// drawn at the current raster position (the pen on the baseline).
#pragma once

#include <GL/gl.h>

#include <array>
#include <string_view>

#include "render/glyph_raster.h"

namespace render {

class BitmapFont {
 public:
  // Rasterises the face (see FontRequestFor; the file is found through the
  // platform's font lookup) at a character height of `size` pixels and builds
  // the 256 display lists. When the font is missing or unreadable, shows the
  // reason ("Error") and returns false with no lists made.
  bool Build(std::string_view faceName, int size, bool italic, bool bold);
  // Builds the lists from glyphs rasterised beforehand.
  bool BuildFromRaster(const RasterFont& raster);
  // Deletes the lists (when built) and zeroes every field. The owner calls it
  // with the font's context current, before that context goes: like the
  // texture slots, the font makes no GL call when it is destroyed.
  void Destroy();
  // Draws `text` (up to its first NUL byte) at the raster position and
  // returns its length. The caller's list base is kept.
  int DrawString(std::string_view text) const;

  GLuint listBase = 0;
  int height = 0;
  int averageWidth = 0;
  int maxWidth = 0;
  std::array<int, 256> charWidths{};
};

// Screen-space drawing: a projection of the current viewport in pixels with
// y growing downwards, and an identity model-view. Each Begin needs its End.
void BeginPixelSpace();
void EndPixelSpace();

}  // namespace render
