#include "platform/sdl/canvas_cairo.h"

#include <cairo.h>
#include <pango/pangocairo.h>

#include <algorithm>

#include "platform/text_codec.h"

namespace platform::sdl {
namespace {

// Text is never drawn smaller than this when it is shrunk to fit its box.
constexpr int kSmallestPixelSize = 6;

void SetSource(cairo_t* cr, Color color) {
  cairo_set_source_rgb(cr, color.r / 255.0, color.g / 255.0, color.b / 255.0);
}

class CairoCanvas final : public Canvas {
 public:
  CairoCanvas(cairo_surface_t* surface, cairo_t* cr, PangoLayout* layout)
      : surface_(surface), cr_(cr), layout_(layout) {}
  ~CairoCanvas() override {
    g_object_unref(layout_);
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
  }
  CairoCanvas(const CairoCanvas&) = delete;
  CairoCanvas& operator=(const CairoCanvas&) = delete;

  int width() const override { return cairo_image_surface_get_width(surface_); }
  int height() const override { return cairo_image_surface_get_height(surface_); }

  void Clear(Color color) override {
    cairo_save(cr_);
    cairo_set_operator(cr_, CAIRO_OPERATOR_SOURCE);
    SetSource(cr_, color);
    cairo_paint(cr_);
    cairo_restore(cr_);
  }

  void FillRect(const Rect& box, Color color) override {
    if (box.width() <= 0 || box.height() <= 0) return;
    SetSource(cr_, color);
    cairo_rectangle(cr_, box.left, box.top, box.width(), box.height());
    cairo_fill(cr_);
  }

  void Line(int x0, int y0, int x1, int y1, Color color) override {
    if (x0 == x1 || y0 == y1) {
      FillRect({std::min(x0, x1), std::min(y0, y1), std::max(x0, x1) + 1, std::max(y0, y1) + 1},
               color);
      return;
    }
    cairo_save(cr_);
    cairo_set_antialias(cr_, CAIRO_ANTIALIAS_NONE);
    cairo_set_line_width(cr_, 1.0);
    SetSource(cr_, color);
    cairo_move_to(cr_, x0 + 0.5, y0 + 0.5);
    cairo_line_to(cr_, x1 + 0.5, y1 + 0.5);
    cairo_stroke(cr_);
    cairo_restore(cr_);
  }

  void DrawText(const Rect& box, std::u16string_view text, const CanvasFont& font, Color color,
                TextFlow flow) override {
    if (box.width() <= 0 || box.height() <= 0 || text.empty()) return;
    SetLayoutText(text);
    const TextSize size = FitLayout(box, font, flow);
    cairo_save(cr_);
    cairo_rectangle(cr_, box.left, box.top, box.width(), box.height());
    cairo_clip(cr_);
    SetSource(cr_, color);
    if (flow == TextFlow::CentredLine) {
      cairo_move_to(cr_, box.left + (box.width() - size.width) / 2,
                    box.top + (box.height() - size.height) / 2);
    } else {
      cairo_move_to(cr_, box.left, box.top);
    }
    pango_cairo_show_layout(cr_, layout_);
    cairo_restore(cr_);
  }

  void DrawTextAt(const Rect& box, int x, std::u16string_view text, const CanvasFont& font,
                  Color color) override {
    if (box.width() <= 0 || box.height() <= 0 || text.empty()) return;
    const TextSize size = MeasureText(text, font);
    cairo_save(cr_);
    cairo_rectangle(cr_, box.left, box.top, box.width(), box.height());
    cairo_clip(cr_);
    SetSource(cr_, color);
    cairo_move_to(cr_, x, box.top + (box.height() - size.height) / 2);
    pango_cairo_show_layout(cr_, layout_);
    cairo_restore(cr_);
  }

  TextSize MeasureText(std::u16string_view text, const CanvasFont& font) override {
    SetLayoutText(text);
    SetLayoutFont(font, font.pixelSize);
    pango_layout_set_width(layout_, -1);
    return LayoutSize();
  }

  const uint32_t* Pixels() override {
    cairo_surface_flush(surface_);
    return reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(surface_));
  }

  int stride() const override { return cairo_image_surface_get_stride(surface_) / 4; }

 private:
  void SetLayoutText(std::u16string_view text) {
    const std::string utf8 = Utf16ToUtf8(text);
    pango_layout_set_text(layout_, utf8.data(), static_cast<int>(utf8.size()));
  }

  void SetLayoutFont(const CanvasFont& font, int pixelSize) {
    PangoFontDescription* description = pango_font_description_new();
    pango_font_description_set_family(description, font.families.c_str());
    pango_font_description_set_absolute_size(description, pixelSize * PANGO_SCALE);
    pango_font_description_set_weight(description, static_cast<PangoWeight>(font.weight));
    pango_font_description_set_style(description,
                                     font.italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    pango_layout_set_font_description(layout_, description);
    pango_font_description_free(description);
  }

  TextSize LayoutSize() {
    PangoRectangle logical;
    pango_layout_get_pixel_extents(layout_, nullptr, &logical);
    return {logical.width, logical.height};
  }

  // Lays the text out in the box with the largest size up to the font's own
  // that fits; the smallest size is used when nothing fits.
  TextSize FitLayout(const Rect& box, const CanvasFont& font, TextFlow flow) {
    const bool wrap = flow == TextFlow::WrappedBlock;
    pango_layout_set_width(layout_, wrap ? box.width() * PANGO_SCALE : -1);
    pango_layout_set_wrap(layout_, PANGO_WRAP_WORD_CHAR);
    pango_layout_set_alignment(layout_, PANGO_ALIGN_CENTER);
    int pixelSize = std::max(font.pixelSize, 1);
    for (;;) {
      SetLayoutFont(font, pixelSize);
      const TextSize size = LayoutSize();
      const int extent = wrap ? size.height : size.width;
      const int room = wrap ? box.height() : box.width();
      if (extent <= room || pixelSize <= kSmallestPixelSize) return size;
      const int scaled = static_cast<int>(static_cast<long long>(pixelSize) * room / extent);
      pixelSize = std::max(kSmallestPixelSize, std::min(scaled, pixelSize - 1));
    }
  }

  cairo_surface_t* surface_;
  cairo_t* cr_;
  PangoLayout* layout_;
};

}  // namespace

std::unique_ptr<Canvas> CreateCairoCanvas(int width, int height) {
  if (width < 1 || height < 1) return nullptr;
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface);
    return nullptr;
  }
  cairo_t* cr = cairo_create(surface);
  PangoLayout* layout = pango_cairo_create_layout(cr);
  return std::make_unique<CairoCanvas>(surface, cr, layout);
}

}  // namespace platform::sdl
