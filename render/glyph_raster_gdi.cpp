// The HUD font rasterised with GDI. On Windows platform::FindFontFile
// (platform/win32/font_lookup_win32.cpp) answers with the family name
// rather than a file, followed by "|bold" and then "|italic" when the
// request asks for that style, e.g. "DejaVu Sans|bold|italic"; that name is
// the "font file" RasteriseFont takes here.
#include <windows.h>

#include <algorithm>
#include <memory>
#include <type_traits>
#include <vector>

#include "platform/win32/wide_text.h"
#include "render/glyph_raster.h"

namespace render {
namespace {

struct FaceName {
  std::string family;
  bool bold = false;
  bool italic = false;
};

// False when there is no family or a style is neither "bold" nor "italic".
bool ReadFaceName(std::string_view name, FaceName& face) {
  size_t bar = name.find('|');
  face.family = std::string(name.substr(0, bar));
  while (bar != std::string_view::npos) {
    name.remove_prefix(bar + 1);
    bar = name.find('|');
    const std::string_view style = name.substr(0, bar);
    if (style == "bold") {
      face.bold = true;
    } else if (style == "italic") {
      face.italic = true;
    } else {
      return false;
    }
  }
  return !face.family.empty();
}

struct DcDeleter {
  void operator()(HDC dc) const { DeleteDC(dc); }
};
struct FontDeleter {
  void operator()(HFONT font) const { DeleteObject(font); }
};

// The glyph at a glyph index, copied from GDI's mono bitmap (rows top
// first, each padded to 4 bytes) into glBitmap's bottom-up rows. A glyph
// GDI cannot draw keeps its advance but draws nothing.
GlyphImage ReadGlyph(HDC dc, UINT index) {
  const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
  const UINT format = GGO_BITMAP | GGO_GLYPH_INDEX;
  GLYPHMETRICS metrics{};
  GlyphImage glyph;
  const DWORD size = GetGlyphOutlineW(dc, index, format, &metrics, 0, nullptr, &identity);
  if (size == GDI_ERROR) {
    ABC widths{};
    if (GetCharABCWidthsI(dc, index, 1, nullptr, &widths)) {
      glyph.advance = widths.abcA + static_cast<int>(widths.abcB) + widths.abcC;
    }
    return glyph;
  }
  glyph.advance = metrics.gmCellIncX;
  if (size == 0) return glyph;  // a blank glyph such as the space
  std::vector<uint8_t> bits(size);
  if (GetGlyphOutlineW(dc, index, format, &metrics, size, bits.data(), &identity) == GDI_ERROR) {
    return glyph;
  }
  const int width = static_cast<int>(metrics.gmBlackBoxX);
  const int height = static_cast<int>(metrics.gmBlackBoxY);
  const size_t pitch = (static_cast<size_t>(width) + 31) / 32 * 4;
  const size_t rowBytes = (static_cast<size_t>(width) + 7) / 8;
  if (pitch * height > bits.size()) return glyph;
  glyph.width = width;
  glyph.height = height;
  glyph.originX = static_cast<float>(-metrics.gmptGlyphOrigin.x);
  glyph.originY = static_cast<float>(height - metrics.gmptGlyphOrigin.y);
  glyph.rows.resize(rowBytes * height);
  for (int r = 0; r < height; ++r) {
    const uint8_t* source = bits.data() + pitch * r;
    std::copy(source, source + rowBytes, glyph.rows.begin() + rowBytes * (height - 1 - r));
  }
  return glyph;
}

}  // namespace

bool RasteriseFont(const std::string& fontFile, int pixelSize, RasterFont& out,
                   std::string& error) {
  if (!IsUsableGlyphSize(pixelSize, error)) return false;
  FaceName face;
  const bool named = ReadFaceName(fontFile, face);
  const std::wstring family = platform::win32::Wide(face.family);
  if (!named || family.size() >= LF_FACESIZE) {
    error = "no font is named " + fontFile;
    return false;
  }
  // The font outlives the DC it is selected into.
  const std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter> font(
      CreateFontW(-pixelSize, 0, 0, 0, face.bold ? FW_BOLD : FW_NORMAL, face.italic, FALSE, FALSE,
                  DEFAULT_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                  DEFAULT_PITCH, family.c_str()));
  const std::unique_ptr<std::remove_pointer_t<HDC>, DcDeleter> dc(CreateCompatibleDC(nullptr));
  if (dc == nullptr || font == nullptr) {
    error = "GDI cannot make the font " + face.family;
    return false;
  }
  SelectObject(dc.get(), font.get());
  // GDI stands in another family for a missing one; that counts as missing.
  wchar_t chosen[LF_FACESIZE] = {};
  GetTextFaceW(dc.get(), LF_FACESIZE, chosen);
  if (lstrcmpiW(chosen, family.c_str()) != 0) {
    error = "the font " + face.family + " is not installed";
    return false;
  }

  wchar_t codes[256];
  for (int code = 0; code < 256; ++code) codes[code] = static_cast<wchar_t>(code);
  WORD indices[256] = {};
  if (GetGlyphIndicesW(dc.get(), codes, 256, indices, GGI_MARK_NONEXISTING_GLYPHS) == GDI_ERROR) {
    error = "GDI cannot map the characters of " + face.family;
    return false;
  }
  RasterFont raster;
  for (int code = 0; code < 256; ++code) {
    // A character the font lacks is drawn as its missing glyph, index 0.
    raster.glyphs[code] = ReadGlyph(dc.get(), indices[code] == 0xFFFF ? 0 : indices[code]);
    raster.maxWidth = std::max(raster.maxWidth, raster.glyphs[code].advance);
  }
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc.get(), &metrics);
  raster.height = metrics.tmHeight;
  raster.averageWidth = metrics.tmAveCharWidth;
  out = std::move(raster);
  return true;
}

}  // namespace render
