#include "platform/sdl/sdl_wait_window.h"

#include <SDL.h>
#include <cairo.h>
#include <pango/pangocairo.h>

#include <algorithm>
#include <string>

#include "platform/text_codec.h"

// Last: the X11 headers define names such as None and Status as macros.
#include <SDL_syswm.h>
#include <X11/Xutil.h>

namespace platform::sdl {
namespace {

// The message block sits centred below this many pixels from the top.
constexpr int kTextTopOffset = 44;
// The white text lies this far left of and above its black shadow.
constexpr int kShadowOffset = 4;
constexpr const char* kFontFamilies = "DejaVu Sans, WenQuanYi Micro Hei";

// The window manager tells windows apart by their class; this one has its
// own. Other video drivers have no class to set.
void SetWindowClass(SDL_Window* window, const std::string& windowClass) {
  if (windowClass.empty()) return;
  SDL_SysWMinfo wm;
  SDL_VERSION(&wm.version);
  if (SDL_GetWindowWMInfo(window, &wm) != SDL_TRUE || wm.subsystem != SDL_SYSWM_X11) return;
  std::string name = windowClass;
  std::string klass = windowClass;
  XClassHint hint;
  hint.res_name = name.data();
  hint.res_class = klass.data();
  XSetClassHint(wm.info.x11.display, wm.info.x11.window, &hint);
}

class SdlWaitWindow final : public WaitWindow {
 public:
  SdlWaitWindow(SDL_Window* window, const WaitWindowInfo& info)
      : window_(window),
        width_(info.width),
        height_(info.height),
        picture_(info.picture),
        pictureWidth_(info.pictureWidth),
        pictureHeight_(info.pictureHeight) {
    surface_ = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width_, height_);
    cr_ = cairo_create(surface_);
    layout_ = pango_cairo_create_layout(cr_);
    pango_layout_set_alignment(layout_, PANGO_ALIGN_CENTER);
    if (!picture_.empty()) {
      pictureSurface_ = cairo_image_surface_create_for_data(
          reinterpret_cast<unsigned char*>(picture_.data()), CAIRO_FORMAT_RGB24, pictureWidth_,
          pictureHeight_, pictureWidth_ * 4);
    }
  }
  ~SdlWaitWindow() override {
    if (pictureSurface_ != nullptr) cairo_surface_destroy(pictureSurface_);
    g_object_unref(layout_);
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
    SDL_DestroyWindow(window_);
  }
  SdlWaitWindow(const SdlWaitWindow&) = delete;
  SdlWaitWindow& operator=(const SdlWaitWindow&) = delete;

  uint32_t id() const override { return SDL_GetWindowID(window_); }

  void Paint(std::u16string_view text) override {
    PaintPicture();
    LayOut(text);
    int textWidth = 0, textHeight = 0;
    pango_layout_get_pixel_size(layout_, &textWidth, &textHeight);
    const int x = (width_ - textWidth) / 2;
    const int y = kTextTopOffset + (height_ - kTextTopOffset - textHeight) / 2;
    cairo_set_source_rgb(cr_, 0.0, 0.0, 0.0);
    cairo_move_to(cr_, x, y);
    pango_cairo_show_layout(cr_, layout_);
    cairo_set_source_rgb(cr_, 1.0, 1.0, 1.0);
    cairo_move_to(cr_, x - kShadowOffset, y - kShadowOffset);
    pango_cairo_show_layout(cr_, layout_);
    Present();
  }

  void Raise() override { SDL_RaiseWindow(window_); }

 private:
  void PaintPicture() {
    cairo_save(cr_);
    if (pictureSurface_ == nullptr) {
      cairo_set_source_rgb(cr_, 0.0, 0.0, 0.0);
      cairo_paint(cr_);
    } else {
      cairo_scale(cr_, static_cast<double>(width_) / pictureWidth_,
                  static_cast<double>(height_) / pictureHeight_);
      cairo_set_source_surface(cr_, pictureSurface_, 0, 0);
      cairo_pattern_set_filter(cairo_get_source(cr_), CAIRO_FILTER_GOOD);
      cairo_pattern_set_extend(cairo_get_source(cr_), CAIRO_EXTEND_PAD);
      cairo_paint(cr_);
    }
    cairo_restore(cr_);
  }

  // Bold italic at a fifth of the window height, smaller while a line is
  // wider than the window.
  void LayOut(std::u16string_view text) {
    const std::string utf8 = Utf16ToUtf8(text);
    pango_layout_set_text(layout_, utf8.data(), static_cast<int>(utf8.size()));
    for (int pixels = std::max(1, height_ / 5);; --pixels) {
      PangoFontDescription* font = pango_font_description_from_string(kFontFamilies);
      pango_font_description_set_absolute_size(font, pixels * PANGO_SCALE);
      pango_font_description_set_weight(font, PANGO_WEIGHT_BOLD);
      pango_font_description_set_style(font, PANGO_STYLE_ITALIC);
      pango_layout_set_font_description(layout_, font);
      pango_font_description_free(font);
      int textWidth = 0, textHeight = 0;
      pango_layout_get_pixel_size(layout_, &textWidth, &textHeight);
      if (textWidth <= width_ - 2 * kShadowOffset || pixels <= 6) return;
    }
  }

  void Present() {
    cairo_surface_flush(surface_);
    // The window's surface must not come from a GL renderer: that would
    // take the calling thread's current context away from the program.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_Window* currentWindow = SDL_GL_GetCurrentWindow();
    SDL_GLContext currentContext = SDL_GL_GetCurrentContext();
    SDL_Surface* target = SDL_GetWindowSurface(window_);
    if (currentContext != nullptr && SDL_GL_GetCurrentContext() != currentContext) {
      SDL_GL_MakeCurrent(currentWindow, currentContext);
    }
    if (target == nullptr) return;
    SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(
        cairo_image_surface_get_data(surface_), width_, height_, 32,
        cairo_image_surface_get_stride(surface_), SDL_PIXELFORMAT_RGB888);
    if (source == nullptr) return;
    SDL_SetSurfaceBlendMode(source, SDL_BLENDMODE_NONE);
    SDL_BlitSurface(source, nullptr, target, nullptr);
    SDL_FreeSurface(source);
    SDL_UpdateWindowSurface(window_);
  }

  SDL_Window* window_;
  int width_;
  int height_;
  std::vector<uint32_t> picture_;
  int pictureWidth_;
  int pictureHeight_;
  cairo_surface_t* surface_ = nullptr;
  cairo_surface_t* pictureSurface_ = nullptr;
  cairo_t* cr_ = nullptr;
  PangoLayout* layout_ = nullptr;
};

}  // namespace

std::unique_ptr<WaitWindow> CreateSdlWaitWindow(const WaitWindowInfo& info) {
  if (info.width < 1 || info.height < 1) return nullptr;
  SDL_Window* window =
      SDL_CreateWindow(info.title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                       info.width, info.height, SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN);
  if (window == nullptr) return nullptr;
  SetWindowClass(window, info.windowClass);
  SDL_ShowWindow(window);
  const bool pictureFits = info.pictureWidth > 0 && info.pictureHeight > 0 &&
                           info.picture.size() == static_cast<size_t>(info.pictureWidth) *
                                                      static_cast<size_t>(info.pictureHeight);
  WaitWindowInfo checked = info;
  if (!pictureFits) checked.picture.clear();
  return std::make_unique<SdlWaitWindow>(window, checked);
}

}  // namespace platform::sdl
