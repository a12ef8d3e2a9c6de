#include "platform/sdl/sdl_window.h"

#include <GL/gl.h>

namespace platform::sdl {
namespace {

constexpr const char* kDataKey = "mg.window";

void Borders(SDL_Window* window, int& top, int& left, int& bottom, int& right) {
  top = left = bottom = right = 0;
  if ((SDL_GetWindowFlags(window) & SDL_WINDOW_BORDERLESS) == 0) {
    SDL_GetWindowBordersSize(window, &top, &left, &bottom, &right);
  }
}

}  // namespace

SdlWindow* FromSdl(SDL_Window* window) {
  if (window == nullptr) return nullptr;
  return static_cast<SdlWindow*>(SDL_GetWindowData(window, kDataKey));
}

void SetGlAttributes(int samples, bool share) {
  SDL_GL_ResetAttributes();
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
  SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, samples > 0 ? 1 : 0);
  SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, samples > 0 ? samples : 0);
  SDL_GL_SetAttribute(SDL_GL_SHARE_WITH_CURRENT_CONTEXT, share ? 1 : 0);
}

SdlWindow::SdlWindow(SDL_Window* window, int samples, std::string& lastError, bool finishOnSwap)
    : window_(window), samples_(samples), lastError_(lastError), finishOnSwap_(finishOnSwap) {
  SDL_SetWindowData(window_, kDataKey, this);
  restoreRect_ = GetWindowRect();
}

SdlWindow::~SdlWindow() {
  SDL_SetWindowData(window_, kDataKey, nullptr);
  SDL_DestroyWindow(window_);
}

void SdlWindow::TrackRestoreRect() {
  const Uint32 flags = SDL_GetWindowFlags(window_);
  constexpr Uint32 kNotNormal = SDL_WINDOW_MINIMIZED | SDL_WINDOW_MAXIMIZED |
                                SDL_WINDOW_FULLSCREEN | SDL_WINDOW_FULLSCREEN_DESKTOP;
  if ((flags & kNotNormal) == 0) restoreRect_ = GetWindowRect();
}

void SdlWindow::Show(ShowState state) {
  switch (state) {
    case ShowState::Hidden:
      SDL_HideWindow(window_);
      break;
    case ShowState::Normal:
      SDL_ShowWindow(window_);
      SDL_RestoreWindow(window_);
      break;
    case ShowState::Maximized:
      SDL_ShowWindow(window_);
      SDL_MaximizeWindow(window_);
      break;
    case ShowState::Minimized:
      SDL_MinimizeWindow(window_);
      break;
  }
}

ShowState SdlWindow::GetShowState() const {
  const Uint32 flags = SDL_GetWindowFlags(window_);
  if ((flags & SDL_WINDOW_HIDDEN) != 0) return ShowState::Hidden;
  if ((flags & SDL_WINDOW_MINIMIZED) != 0) return ShowState::Minimized;
  if ((flags & SDL_WINDOW_MAXIMIZED) != 0) return ShowState::Maximized;
  return ShowState::Normal;
}

void SdlWindow::SetTitle(const std::string& utf8) { SDL_SetWindowTitle(window_, utf8.c_str()); }

void SdlWindow::SetBordered(bool bordered) {
  SDL_SetWindowBordered(window_, bordered ? SDL_TRUE : SDL_FALSE);
}

void SdlWindow::SetAlwaysOnTop(bool onTop) {
  SDL_SetWindowAlwaysOnTop(window_, onTop ? SDL_TRUE : SDL_FALSE);
}

void SdlWindow::SetIcon(int width, int height, std::span<const uint8_t> rgba) {
  if (width <= 0 || height <= 0 || rgba.size() != size_t{4} * width * height) return;
  // SDL only reads the pixels while it copies them into the window's icon.
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
      const_cast<uint8_t*>(rgba.data()), width, height, 32, width * 4, SDL_PIXELFORMAT_RGBA32);
  if (surface == nullptr) return;
  SDL_SetWindowIcon(window_, surface);
  SDL_FreeSurface(surface);
}

bool SdlWindow::IsBordered() const {
  return (SDL_GetWindowFlags(window_) & SDL_WINDOW_BORDERLESS) == 0;
}

Rect SdlWindow::GetWindowRect() const {
  int x = 0, y = 0, w = 0, h = 0, top = 0, left = 0, bottom = 0, right = 0;
  SDL_GetWindowPosition(window_, &x, &y);
  SDL_GetWindowSize(window_, &w, &h);
  Borders(window_, top, left, bottom, right);
  return Rect{x - left, y - top, x + w + right, y + h + bottom};
}

void SdlWindow::SetWindowRect(const Rect& outer) {
  int top = 0, left = 0, bottom = 0, right = 0;
  Borders(window_, top, left, bottom, right);
  const int w = outer.width() - left - right;
  const int h = outer.height() - top - bottom;
  if ((SDL_GetWindowFlags(window_) & SDL_WINDOW_MAXIMIZED) != 0) SDL_RestoreWindow(window_);
  SDL_SetWindowSize(window_, w > 1 ? w : 1, h > 1 ? h : 1);
  SDL_SetWindowPosition(window_, outer.left + left, outer.top + top);
  TrackRestoreRect();
}

void SdlWindow::GetClientSize(int& width, int& height) const {
  SDL_GL_GetDrawableSize(window_, &width, &height);
}

bool SdlWindow::HasKeyboardFocus() const { return SDL_GetKeyboardFocus() == window_; }

uint32_t SdlWindow::id() const { return SDL_GetWindowID(window_); }

GlContext SdlWindow::CreateContext(bool shareWithCurrent) {
  SetGlAttributes(samples_, shareWithCurrent);
  SDL_GLContext context = SDL_GL_CreateContext(window_);
  if (context == nullptr) lastError_ = SDL_GetError();
  SDL_GL_SetAttribute(SDL_GL_SHARE_WITH_CURRENT_CONTEXT, 0);
  return GlContext(reinterpret_cast<uintptr_t>(context));
}

bool SdlWindow::MakeCurrent(GlContext context) {
  return SDL_GL_MakeCurrent(window_, reinterpret_cast<SDL_GLContext>(context.handle())) == 0;
}

void SdlWindow::SwapBuffers() {
  SDL_GL_SwapWindow(window_);
  if (finishOnSwap_) glFinish();
}

bool SdlWindow::ChangeDisplayMode(int width, int height, bool& readable) {
  SDL_DisplayMode current{};
  readable = SDL_GetCurrentDisplayMode(0, &current) == 0;
  if (!readable) return false;
  SDL_DisplayMode wanted = current;
  wanted.w = width;
  wanted.h = height;
  SDL_DisplayMode closest{};
  if (SDL_GetClosestDisplayMode(0, &wanted, &closest) == nullptr) return false;
  if (closest.w != width || closest.h != height) return false;
  return SDL_SetWindowDisplayMode(window_, &closest) == 0 &&
         SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN) == 0;
}

void SdlWindow::RestoreDisplayMode() { SDL_SetWindowFullscreen(window_, 0); }

}  // namespace platform::sdl
