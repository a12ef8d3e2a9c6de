// 1-bit glyph bitmaps for the HUD font, rasterised with FreeType
// (glyph_raster.cpp), on Windows with GDI (glyph_raster_gdi.cpp). No GL here:
// BitmapFont turns the result into display lists.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/font_lookup.h"

namespace render {

// One glyph in glBitmap's layout: rows of (width + 7) / 8 bytes, most
// significant bit leftmost, bottom row first, no row padding.
struct GlyphImage {
  int width = 0;
  int height = 0;
  // Offset from the pen position on the baseline to the bitmap's lower-left
  // corner, as glBitmap's xorig / yorig expect it (pen minus corner).
  float originX = 0;
  float originY = 0;
  int advance = 0;
  std::vector<uint8_t> rows;
};

struct RasterFont {
  int height = 0;                      // ascent + descent: the line height
  int averageWidth = 0;                // the font's average character width
  int maxWidth = 0;                    // the widest advance of the 256 glyphs
  std::array<GlyphImage, 256> glyphs;  // code c drawn as U+0000 + c
};

// The font standing in for a face name: every face is drawn with the DejaVu
// Sans family (fonts-dejavu-core), in the bold / oblique variant when asked.
// platform::FindFontFile turns it into a file.
platform::FontRequest FontRequestFor(std::string_view faceName, bool bold, bool italic);

// Rasterises codes 0-255 of the font file at a character height of
// `pixelSize` pixels. False (with a reason in `error`) when the file cannot
// be read or is no font, or the size is not 1 to 1000 pixels. On Windows the
// "file" is what platform::FindFontFile gives there: an installed family.
bool RasteriseFont(const std::string& fontFile, int pixelSize, RasterFont& out, std::string& error);

// False, with the reason in `error`, for a size RasteriseFont refuses.
bool IsUsableGlyphSize(int pixelSize, std::string& error);

}  // namespace render
