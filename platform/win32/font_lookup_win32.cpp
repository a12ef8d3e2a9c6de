// Fonts on Windows are found by family name through GDI, not by file: the
// "file" handed back is the family name itself, with "|bold" and then
// "|italic" appended when the request asks for that style, e.g.
// "DejaVu Sans|bold|italic". render/glyph_raster_gdi.cpp reads it back.
#include <windows.h>

#include "platform/font_lookup.h"
#include "platform/win32/wide_text.h"

namespace platform {
namespace {

int CALLBACK NoteFamily(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

}  // namespace

std::string FindFontFile(const FontRequest& request) {
  const std::wstring family = win32::Wide(request.family);
  LOGFONTW wanted{};
  if (family.empty() || family.size() >= LF_FACESIZE) return {};
  family.copy(wanted.lfFaceName, family.size());
  wanted.lfCharSet = DEFAULT_CHARSET;
  HDC dc = CreateCompatibleDC(nullptr);
  if (dc == nullptr) return {};
  bool found = false;
  EnumFontFamiliesExW(dc, &wanted, NoteFamily, reinterpret_cast<LPARAM>(&found), 0);
  DeleteDC(dc);
  if (!found) return {};
  return std::string(request.family) + (request.bold ? "|bold" : "") +
         (request.italic ? "|italic" : "");
}

}  // namespace platform
