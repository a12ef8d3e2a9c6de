#include "render/glyph_raster.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <memory>

namespace render {
namespace {

struct LibraryDeleter {
  void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
struct FaceDeleter {
  void operator()(FT_Face face) const { FT_Done_Face(face); }
};

int RoundPixels(FT_Pos value26_6) { return static_cast<int>((value26_6 + 32) >> 6); }

// Copies FreeType's top-down mono bitmap into glBitmap's bottom-up rows.
GlyphImage ToGlyphImage(const FT_GlyphSlot slot) {
  const FT_Bitmap& bitmap = slot->bitmap;
  GlyphImage glyph;
  glyph.advance = RoundPixels(slot->advance.x);
  glyph.width = static_cast<int>(bitmap.width);
  glyph.height = static_cast<int>(bitmap.rows);
  glyph.originX = static_cast<float>(-slot->bitmap_left);
  glyph.originY = static_cast<float>(glyph.height - slot->bitmap_top);
  const size_t rowBytes = (static_cast<size_t>(glyph.width) + 7) / 8;
  glyph.rows.resize(rowBytes * glyph.height);
  for (int r = 0; r < glyph.height; ++r) {
    const int pitch = bitmap.pitch;
    const uint8_t* src = pitch >= 0 ? bitmap.buffer + static_cast<size_t>(r) * pitch
                                    : bitmap.buffer + static_cast<size_t>(glyph.height - 1 - r) *
                                                          static_cast<size_t>(-pitch);
    std::copy(src, src + rowBytes, glyph.rows.begin() + rowBytes * (glyph.height - 1 - r));
  }
  return glyph;
}

}  // namespace

bool RasteriseFont(const std::string& fontFile, int pixelSize, RasterFont& out,
                   std::string& error) {
  if (!IsUsableGlyphSize(pixelSize, error)) return false;
  FT_Library rawLibrary = nullptr;
  if (FT_Init_FreeType(&rawLibrary) != 0) {
    error = "FreeType cannot start";
    return false;
  }
  std::unique_ptr<FT_LibraryRec_, LibraryDeleter> library(rawLibrary);
  FT_Face rawFace = nullptr;
  if (FT_New_Face(library.get(), fontFile.c_str(), 0, &rawFace) != 0) {
    error = "cannot open the font file " + fontFile;
    return false;
  }
  std::unique_ptr<FT_FaceRec_, FaceDeleter> face(rawFace);
  if (FT_Set_Pixel_Sizes(face.get(), 0, static_cast<FT_UInt>(pixelSize)) != 0) {
    error = "the font " + fontFile + " has no size " + std::to_string(pixelSize);
    return false;
  }

  RasterFont font;
  const FT_Size_Metrics& metrics = face->size->metrics;
  font.height = RoundPixels(metrics.ascender) - RoundPixels(metrics.descender);
  for (int code = 0; code < 256; ++code) {
    const FT_UInt index = FT_Get_Char_Index(face.get(), static_cast<FT_ULong>(code));
    if (FT_Load_Glyph(face.get(), index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0 ||
        face->glyph->bitmap.pixel_mode != FT_PIXEL_MODE_MONO) {
      // An unrenderable glyph keeps its advance but draws nothing.
      font.glyphs[code].advance = RoundPixels(face->glyph->advance.x);
      continue;
    }
    font.glyphs[code] = ToGlyphImage(face->glyph);
    font.maxWidth = std::max(font.maxWidth, font.glyphs[code].advance);
  }
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face.get(), FT_SFNT_OS2));
  if (os2 != nullptr && os2->xAvgCharWidth > 0 && face->units_per_EM > 0) {
    font.averageWidth = static_cast<int>(
        std::lround(static_cast<double>(os2->xAvgCharWidth) * pixelSize / face->units_per_EM));
  } else {
    font.averageWidth = font.glyphs['x'].advance;
  }
  out = std::move(font);
  return true;
}

}  // namespace render
