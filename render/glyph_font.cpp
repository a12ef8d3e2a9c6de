#include "render/glyph_raster.h"

namespace render {

platform::FontRequest FontRequestFor(std::string_view, bool bold, bool italic) {
  return {"DejaVu Sans", bold, italic};
}

bool IsUsableGlyphSize(int pixelSize, std::string& error) {
  if (pixelSize > 0 && pixelSize <= 1000) return true;
  error = "unusable font size";
  return false;
}

}  // namespace render
