// The canvas keeps its pixels in a 32-bit top-down DIB section and writes
// them itself: 0xAARRGGBB with premultiplied alpha, as a Cairo ARGB32
// surface holds them, so pixels nothing painted stay transparent. GDI text
// writes no alpha, so text is drawn white on black into a second DIB of the
// same size, and its grey level is the coverage with which the colour is
// blended into the canvas.
#include "platform/win32/canvas_gdi.h"

#include "platform/win32_names.h"
// Uniscribe, after windows.h, which it needs.
#include <usp10.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/font_lookup.h"
#include "platform/win32/text_layout.h"
#include "platform/win32/wide_text.h"

namespace platform::win32 {
namespace {

// Text is never drawn smaller than this when it is shrunk to fit its box.
constexpr int kSmallestPixelSize = 6;

uint32_t Opaque(Color color) {
  return 0xFF000000u | (uint32_t{color.r} << 16) | (uint32_t{color.g} << 8) | color.b;
}

// Source over destination, both premultiplied, the source opaque.
uint32_t Blend(uint32_t source, uint32_t destination, uint32_t coverage) {
  uint32_t result = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const uint32_t s = (source >> shift) & 0xFF;
    const uint32_t d = (destination >> shift) & 0xFF;
    result |= ((s * coverage + d * (255 - coverage) + 127) / 255) << shift;
  }
  return result;
}

const wchar_t* Units(std::u16string_view text) {
  return reinterpret_cast<const wchar_t*>(text.data());
}

// A 32-bit top-down DIB section selected into a memory DC of its own.
class Dib {
 public:
  ~Dib() {
    if (oldBitmap_ != nullptr) SelectObject(dc_, oldBitmap_);
    if (dc_ != nullptr) DeleteDC(dc_);
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
  }

  bool Create(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    dc_ = CreateCompatibleDC(nullptr);
    if (bitmap_ == nullptr || dc_ == nullptr) return false;
    oldBitmap_ = SelectObject(dc_, bitmap_);
    pixels_ = static_cast<uint32_t*>(bits);
    std::fill_n(pixels_, static_cast<size_t>(width) * height, 0u);
    return true;
  }

  HDC dc() const { return dc_; }
  uint32_t* pixels() const { return pixels_; }

 private:
  HBITMAP bitmap_ = nullptr;
  HDC dc_ = nullptr;
  HGDIOBJ oldBitmap_ = nullptr;
  uint32_t* pixels_ = nullptr;
};

// The width of one line in the DC's font as ExtTextOutW draws it. Text in
// complex scripts is measured shaped, through Uniscribe:
// GetTextExtentPoint32W measures Arabic unjoined under Wine, up to half as
// wide again.
int LineWidth(HDC dc, std::u16string_view line, bool rightToLeft = false) {
  const int length = static_cast<int>(line.size());
  if (length == 0) return 0;
  if (ScriptIsComplex(Units(line), length, SIC_COMPLEX) == S_OK) {
    SCRIPT_STRING_ANALYSIS analysis = nullptr;
    if (SUCCEEDED(ScriptStringAnalyse(dc, Units(line), length, length * 3 / 2 + 16, -1,
                                      SSA_GLYPHS | (rightToLeft ? SSA_RTL : 0), 0, nullptr, nullptr,
                                      nullptr, nullptr, nullptr, &analysis))) {
      const SIZE* size = ScriptString_pSize(analysis);
      const int width = size != nullptr ? static_cast<int>(size->cx) : 0;
      ScriptStringFree(&analysis);
      if (size != nullptr) return width;
    }
  }
  SIZE size{};
  GetTextExtentPoint32W(dc, Units(line), length, &size);
  return static_cast<int>(size.cx);
}

struct FontDeleter {
  void operator()(HFONT font) const { DeleteObject(font); }
};
using Font = std::unique_ptr<std::remove_pointer_t<HFONT>, FontDeleter>;

// The slope of italic drawn by slanting the upright face, as fontconfig
// makes it for a family whose italic lacks the text's characters (DejaVu
// Sans has Arabic only upright).
constexpr float kSyntheticSlant = 0.2f;

// A family of the list, and whether its upright face is drawn slanted in
// place of its italic. An empty name leaves the choice to GDI.
struct Face {
  std::wstring name;
  bool slanted = false;
};

Font MakeFont(const Face& face, const CanvasFont& font, int pixelSize) {
  LOGFONTW description{};
  description.lfHeight = -pixelSize;
  description.lfWeight = font.weight;
  description.lfItalic = font.italic && !face.slanted ? TRUE : FALSE;
  description.lfCharSet = DEFAULT_CHARSET;
  description.lfOutPrecision = OUT_TT_PRECIS;
  description.lfQuality = ANTIALIASED_QUALITY;
  face.name.copy(description.lfFaceName, LF_FACESIZE - 1);
  return Font(CreateFontIndirectW(&description));
}

std::vector<std::string> SplitFamilies(const std::string& families) {
  std::vector<std::string> names;
  size_t start = 0;
  while (start <= families.size()) {
    const size_t comma = std::min(families.find(',', start), families.size());
    const size_t first = families.find_first_not_of(' ', start);
    const size_t last = families.find_last_not_of(' ', comma - 1);
    if (first < comma && last != std::string::npos && last >= first) {
      names.push_back(families.substr(first, last - first + 1));
    }
    start = comma + 1;
  }
  return names;
}

// Text laid out in lines with one font, ready to draw.
struct TextLayout {
  Font font;
  bool slanted = false;
  std::vector<std::u16string_view> lines;
  std::vector<int> widths;
  int lineHeight = 0;
  int ascent = 0;
  TextSize size;
};

class GdiCanvas final : public Canvas {
 public:
  GdiCanvas(int width, int height) : width_(width), height_(height) {}

  bool Create() { return image_.Create(width_, height_) && text_.Create(width_, height_); }

  int width() const override { return width_; }
  int height() const override { return height_; }

  void Clear(Color color) override { FillRect({0, 0, width_, height_}, color); }

  void FillRect(const Rect& box, Color color) override {
    const Rect area = OnCanvas(box);
    if (area.width() <= 0 || area.height() <= 0) return;
    GdiFlush();
    for (int y = area.top; y < area.bottom; ++y) {
      std::fill(Row(image_, y) + area.left, Row(image_, y) + area.right, Opaque(color));
    }
  }

  // Bresenham's line.
  void Line(int x0, int y0, int x1, int y1, Color color) override {
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int stepX = x0 < x1 ? 1 : -1;
    const int stepY = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    for (;;) {
      FillRect({x0, y0, x0 + 1, y0 + 1}, color);
      if (x0 == x1 && y0 == y1) return;
      const int doubled = 2 * error;
      if (doubled >= dy) {
        error += dy;
        x0 += stepX;
      }
      if (doubled <= dx) {
        error += dx;
        y0 += stepY;
      }
    }
  }

  void DrawText(const Rect& box, std::u16string_view text, const CanvasFont& font, Color color,
                TextFlow flow) override {
    if (box.width() <= 0 || box.height() <= 0 || text.empty()) return;
    const TextLayout layout = FitLayout(box, text, font, flow);
    if (flow == TextFlow::CentredLine) {
      Draw(layout, text, box, box.left + (box.width() - layout.size.width) / 2,
           box.top + (box.height() - layout.size.height) / 2, layout.size.width, color);
    } else {
      Draw(layout, text, box, box.left, box.top, box.width(), color);
    }
  }

  void DrawTextAt(const Rect& box, int x, std::u16string_view text, const CanvasFont& font,
                  Color color) override {
    if (box.width() <= 0 || box.height() <= 0 || text.empty()) return;
    const TextLayout layout = Layout(text, ChooseFace(text, font), font, font.pixelSize, 0);
    Draw(layout, text, box, x, box.top + (box.height() - layout.size.height) / 2, layout.size.width,
         color);
  }

  TextSize MeasureText(std::u16string_view text, const CanvasFont& font) override {
    return Layout(text, ChooseFace(text, font), font, font.pixelSize, 0).size;
  }

  const uint32_t* Pixels() override {
    GdiFlush();
    return image_.pixels();
  }

  int stride() const override { return width_; }

 private:
  uint32_t* Row(const Dib& dib, int y) const {
    return dib.pixels() + static_cast<size_t>(y) * static_cast<size_t>(width_);
  }

  Rect OnCanvas(const Rect& box) const {
    return {std::max(box.left, 0), std::max(box.top, 0), std::min(box.right, width_),
            std::min(box.bottom, height_)};
  }

  bool Installed(const std::string& family) {
    const auto known = installed_.find(family);
    if (known != installed_.end()) return known->second;
    const bool found = !FindFontFile({family}).empty();
    installed_.emplace(family, found);
    return found;
  }

  // The first listed family that is installed and has a glyph for every
  // character of the text (in italic, or else upright to be slanted), else
  // the first installed one, else GDI's own choice. Control characters and
  // surrogate pairs are not checked: GetGlyphIndicesW maps single UTF-16
  // units only.
  Face ChooseFace(std::u16string_view text, const CanvasFont& font) {
    std::optional<Face> fallback;
    for (const std::string& family : SplitFamilies(font.families)) {
      if (!Installed(family)) continue;
      Face face{Wide(family)};
      if (!fallback) fallback = face;
      if (HasEveryGlyph(face, font, text)) return face;
      face.slanted = font.italic;
      if (face.slanted && HasEveryGlyph(face, font, text)) return face;
    }
    return fallback.value_or(Face{});
  }

  bool HasEveryGlyph(const Face& face, const CanvasFont& font, std::u16string_view text) const {
    const Font probe = MakeFont(face, font, std::max(font.pixelSize, 1));
    if (probe == nullptr) return false;
    std::vector<WORD> glyphs(text.size());
    const HGDIOBJ old = SelectObject(text_.dc(), probe.get());
    const DWORD mapped = GetGlyphIndicesW(text_.dc(), Units(text), static_cast<int>(text.size()),
                                          glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS);
    SelectObject(text_.dc(), old);
    if (mapped == GDI_ERROR) return false;
    for (size_t i = 0; i < text.size(); ++i) {
      const bool checked = text[i] >= 0x20 && (text[i] < 0xD800 || text[i] > 0xDFFF);
      if (checked && glyphs[i] == 0xFFFF) return false;
    }
    return true;
  }

  // Lines broken at line feeds and, when wrapWidth > 0, at that width.
  TextLayout Layout(std::u16string_view text, const Face& face, const CanvasFont& font,
                    int pixelSize, int wrapWidth) const {
    TextLayout layout;
    layout.font = MakeFont(face, font, pixelSize);
    layout.slanted = face.slanted;
    const HDC dc = text_.dc();
    const HGDIOBJ old = SelectObject(dc, layout.font.get());
    const auto measure = [dc](std::u16string_view line) { return LineWidth(dc, line); };
    layout.lines = BreakLines(text, wrapWidth, measure);
    for (const std::u16string_view line : layout.lines) {
      layout.widths.push_back(LineWidth(dc, line, StartsRightToLeft(Paragraph(text, line))));
      layout.size.width = std::max(layout.size.width, layout.widths.back());
    }
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    layout.lineHeight = metrics.tmHeight;
    layout.ascent = metrics.tmAscent;
    layout.size.height = metrics.tmHeight * static_cast<int>(layout.lines.size());
    return layout;
  }

  // Lays the text out in the box with the largest size up to the font's own
  // that fits; the smallest size is used when nothing fits.
  TextLayout FitLayout(const Rect& box, std::u16string_view text, const CanvasFont& font,
                       TextFlow flow) {
    const bool wrap = flow == TextFlow::WrappedBlock;
    const Face face = ChooseFace(text, font);
    int pixelSize = std::max(font.pixelSize, 1);
    for (;;) {
      TextLayout layout = Layout(text, face, font, pixelSize, wrap ? box.width() : 0);
      const int extent = wrap ? layout.size.height : layout.size.width;
      const int room = wrap ? box.height() : box.width();
      if (extent <= room || pixelSize <= kSmallestPixelSize) return layout;
      const int scaled = static_cast<int>(static_cast<long long>(pixelSize) * room / extent);
      pixelSize = std::max(kSmallestPixelSize, std::min(scaled, pixelSize - 1));
    }
  }

  // Each line centred in `width` from `left`, the first line's top at `top`;
  // nothing outside the box.
  void Draw(const TextLayout& layout, std::u16string_view text, const Rect& box, int left, int top,
            int width, Color color) {
    const Rect area = OnCanvas(box);
    if (area.width() <= 0 || area.height() <= 0) return;
    GdiFlush();
    for (int y = area.top; y < area.bottom; ++y) {
      std::fill(Row(text_, y) + area.left, Row(text_, y) + area.right, 0u);
    }
    const HDC dc = text_.dc();
    const HGDIOBJ old = SelectObject(dc, layout.font.get());
    SetTextColor(dc, RGB(255, 255, 255));
    SetBkMode(dc, TRANSPARENT);
    // A clip region, not ExtTextOutW's rectangle: it stays upright when the
    // text is slanted.
    const HRGN clip = CreateRectRgn(area.left, area.top, area.right, area.bottom);
    SelectClipRgn(dc, clip);
    if (layout.slanted) SetGraphicsMode(dc, GM_ADVANCED);
    for (size_t i = 0; i < layout.lines.size(); ++i) {
      const std::u16string_view line = layout.lines[i];
      const int y = top + layout.lineHeight * static_cast<int>(i);
      if (layout.slanted) {
        // x moves right by kSyntheticSlant per pixel above the baseline.
        const XFORM slant{1, 0, -kSyntheticSlant, 1, kSyntheticSlant * (y + layout.ascent), 0};
        SetWorldTransform(dc, &slant);
      }
      const UINT options = StartsRightToLeft(Paragraph(text, line)) ? ETO_RTLREADING : 0;
      ExtTextOutW(dc, left + (width - layout.widths[i]) / 2, y, options, nullptr, Units(line),
                  static_cast<UINT>(line.size()), nullptr);
    }
    if (layout.slanted) {
      ModifyWorldTransform(dc, nullptr, MWT_IDENTITY);
      SetGraphicsMode(dc, GM_COMPATIBLE);
    }
    SelectClipRgn(dc, nullptr);
    DeleteObject(clip);
    SelectObject(dc, old);
    GdiFlush();
    const uint32_t source = Opaque(color);
    for (int y = area.top; y < area.bottom; ++y) {
      const uint32_t* coverage = Row(text_, y);
      uint32_t* pixel = Row(image_, y);
      for (int x = area.left; x < area.right; ++x) {
        const uint32_t grey = coverage[x];
        const uint32_t level = ((grey >> 16 & 0xFF) + (grey >> 8 & 0xFF) + (grey & 0xFF) + 1) / 3;
        if (level != 0) pixel[x] = Blend(source, pixel[x], level);
      }
    }
  }

  // The paragraph of `text` (between line feeds) that holds the line: its
  // direction is the line's.
  static std::u16string_view Paragraph(std::u16string_view text, std::u16string_view line) {
    const size_t offset = static_cast<size_t>(line.data() - text.data());
    const size_t feed = text.rfind(u'\n', offset == 0 ? 0 : offset - 1);
    const size_t start = feed == std::u16string_view::npos || offset == 0 ? 0 : feed + 1;
    return text.substr(start, text.find(u'\n', offset) - start);
  }

  int width_;
  int height_;
  Dib image_;                              // what the canvas shows
  Dib text_;                               // text coverage, white on black
  std::map<std::string, bool> installed_;  // family name: installed or not
};

}  // namespace

std::unique_ptr<Canvas> CreateGdiCanvas(int width, int height) {
  if (width < 1 || height < 1) return nullptr;
  auto canvas = std::make_unique<GdiCanvas>(width, height);
  if (!canvas->Create()) return nullptr;
  return canvas;
}

}  // namespace platform::win32
