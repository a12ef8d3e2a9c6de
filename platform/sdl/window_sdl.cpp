#include <GL/gl.h>
#include <SDL.h>

#include <cstdlib>

#include "platform/sdl/key_map.h"
#include "platform/virtual_keys.h"
#include "platform/window.h"

namespace platform {

struct Window::Impl {
  SDL_Window* window = nullptr;
};

namespace {

// The X11 class of every window of the program.
constexpr const char* kWindowClass = "Velkarion_2020";

struct VideoState {
  bool initialised = false;
  Uint32 quitEventType = 0;
  std::string lastError;
  SDL_Cursor* arrow = nullptr;
  SDL_Cursor* hand = nullptr;
};

VideoState& Video() {
  static VideoState state;
  return state;
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

void Borders(SDL_Window* window, int& top, int& left, int& bottom, int& right) {
  top = left = bottom = right = 0;
  if ((SDL_GetWindowFlags(window) & SDL_WINDOW_BORDERLESS) == 0) {
    SDL_GetWindowBordersSize(window, &top, &left, &bottom, &right);
  }
}

bool Translate(const SDL_Event& in, Event& out) {
  out = Event{};
  switch (in.type) {
    case SDL_QUIT:
      out.type = EventType::Close;
      return true;
    case SDL_WINDOWEVENT:
      out.windowId = in.window.windowID;
      switch (in.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
          out.type = EventType::Close;
          return true;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
          out.type = EventType::Size;
          out.width = in.window.data1;
          out.height = in.window.data2;
          return true;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
        case SDL_WINDOWEVENT_FOCUS_LOST:
          out.type = EventType::Activate;
          out.active = in.window.event == SDL_WINDOWEVENT_FOCUS_GAINED;
          return true;
        default:
          return false;
      }
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      out.windowId = in.key.windowID;
      out.type = in.type == SDL_KEYDOWN ? EventType::KeyDown : EventType::KeyUp;
      out.vk = VirtualKeyFromSdl(in.key.keysym.sym, in.key.keysym.scancode);
      return out.vk != 0;
    case SDL_MOUSEMOTION:
      out.windowId = in.motion.windowID;
      out.type = EventType::MouseMove;
      out.x = in.motion.x;
      out.y = in.motion.y;
      return true;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      const bool down = in.type == SDL_MOUSEBUTTONDOWN;
      out.windowId = in.button.windowID;
      out.x = in.button.x;
      out.y = in.button.y;
      if (in.button.button == SDL_BUTTON_LEFT) {
        out.type = down ? EventType::LButtonDown : EventType::LButtonUp;
        return true;
      }
      if (in.button.button == SDL_BUTTON_RIGHT) {
        out.type = down ? EventType::RButtonDown : EventType::RButtonUp;
        return true;
      }
      return false;
    }
    default:
      if (in.type == Video().quitEventType && in.type != 0) {
        out.type = EventType::Quit;
        out.code = in.user.code;
        return true;
      }
      return false;
  }
}

}  // namespace

bool InitVideo() {
  VideoState& video = Video();
  if (video.initialised) return true;
  setenv("SDL_VIDEO_X11_WMCLASS", kWindowClass, 1);
  SDL_SetHint(SDL_HINT_APP_NAME, kWindowClass);
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    video.lastError = SDL_GetError();
    return false;
  }
  video.quitEventType = SDL_RegisterEvents(1);
  if (video.quitEventType == static_cast<Uint32>(-1)) video.quitEventType = 0;
  video.initialised = true;
  return true;
}

void QuitVideo() {
  VideoState& video = Video();
  if (!video.initialised) return;
  if (video.arrow != nullptr) SDL_FreeCursor(video.arrow);
  if (video.hand != nullptr) SDL_FreeCursor(video.hand);
  video.arrow = video.hand = nullptr;
  SDL_Quit();
  video.initialised = false;
}

const std::string& LastError() { return Video().lastError; }

Window::~Window() {
  if (impl_ && impl_->window != nullptr) SDL_DestroyWindow(impl_->window);
}

std::unique_ptr<Window> Window::Create(const WindowCreateInfo& info) {
  SetGlAttributes(info.samples, false);
  Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE;
  if (!info.decorated) flags |= SDL_WINDOW_BORDERLESS;
  SDL_Window* sdl = SDL_CreateWindow(info.title.c_str(), info.x, info.y, info.clientWidth,
                                     info.clientHeight, flags);
  if (sdl == nullptr) {
    Video().lastError = SDL_GetError();
    return nullptr;
  }
  std::unique_ptr<Window> window(new Window());
  window->impl_ = std::make_unique<Impl>();
  window->impl_->window = sdl;
  window->samples_ = info.samples;
  if (info.minWidth > 0 && info.minHeight > 0) {
    SDL_SetWindowMinimumSize(sdl, info.minWidth, info.minHeight);
  }
  return window;
}

void Window::Show(ShowState state) {
  SDL_Window* w = impl_->window;
  switch (state) {
    case ShowState::Hidden:
      SDL_HideWindow(w);
      break;
    case ShowState::Normal:
      SDL_ShowWindow(w);
      SDL_RestoreWindow(w);
      break;
    case ShowState::Maximized:
      SDL_ShowWindow(w);
      SDL_MaximizeWindow(w);
      break;
    case ShowState::Minimized:
      SDL_MinimizeWindow(w);
      break;
  }
}

ShowState Window::GetShowState() const {
  const Uint32 flags = SDL_GetWindowFlags(impl_->window);
  if ((flags & SDL_WINDOW_HIDDEN) != 0) return ShowState::Hidden;
  if ((flags & SDL_WINDOW_MINIMIZED) != 0) return ShowState::Minimized;
  if ((flags & SDL_WINDOW_MAXIMIZED) != 0) return ShowState::Maximized;
  return ShowState::Normal;
}

void Window::SetTitle(const std::string& utf8) { SDL_SetWindowTitle(impl_->window, utf8.c_str()); }

void Window::SetBordered(bool bordered) {
  SDL_SetWindowBordered(impl_->window, bordered ? SDL_TRUE : SDL_FALSE);
}

void Window::SetAlwaysOnTop(bool onTop) {
  SDL_SetWindowAlwaysOnTop(impl_->window, onTop ? SDL_TRUE : SDL_FALSE);
}

bool Window::IsBordered() const {
  return (SDL_GetWindowFlags(impl_->window) & SDL_WINDOW_BORDERLESS) == 0;
}

Rect Window::GetWindowRect() const {
  int x = 0, y = 0, w = 0, h = 0, top = 0, left = 0, bottom = 0, right = 0;
  SDL_GetWindowPosition(impl_->window, &x, &y);
  SDL_GetWindowSize(impl_->window, &w, &h);
  Borders(impl_->window, top, left, bottom, right);
  return Rect{x - left, y - top, x + w + right, y + h + bottom};
}

void Window::SetWindowRect(const Rect& outer) {
  int top = 0, left = 0, bottom = 0, right = 0;
  Borders(impl_->window, top, left, bottom, right);
  const int w = outer.width() - left - right;
  const int h = outer.height() - top - bottom;
  if ((SDL_GetWindowFlags(impl_->window) & SDL_WINDOW_MAXIMIZED) != 0) {
    SDL_RestoreWindow(impl_->window);
  }
  SDL_SetWindowSize(impl_->window, w > 1 ? w : 1, h > 1 ? h : 1);
  SDL_SetWindowPosition(impl_->window, outer.left + left, outer.top + top);
}

void Window::GetClientSize(int& width, int& height) const {
  SDL_GL_GetDrawableSize(impl_->window, &width, &height);
}

bool Window::HasKeyboardFocus() const { return SDL_GetKeyboardFocus() == impl_->window; }

uint32_t Window::id() const { return SDL_GetWindowID(impl_->window); }

GlContext Window::CreateContext(bool shareWithCurrent) {
  SetGlAttributes(samples_, shareWithCurrent);
  SDL_GLContext context = SDL_GL_CreateContext(impl_->window);
  if (context == nullptr) Video().lastError = SDL_GetError();
  SDL_GL_SetAttribute(SDL_GL_SHARE_WITH_CURRENT_CONTEXT, 0);
  return context;
}

bool Window::MakeCurrent(GlContext context) {
  return SDL_GL_MakeCurrent(impl_->window, static_cast<SDL_GLContext>(context)) == 0;
}

void Window::SwapBuffers() { SDL_GL_SwapWindow(impl_->window); }

void DeleteContext(GlContext context) {
  if (context != nullptr) SDL_GL_DeleteContext(static_cast<SDL_GLContext>(context));
}

void ReleaseCurrentContext() { SDL_GL_MakeCurrent(SDL_GL_GetCurrentWindow(), nullptr); }

bool SetSwapInterval(int interval) { return SDL_GL_SetSwapInterval(interval) == 0; }

int ProbeMultisample(int samples) {
  SDL_Window* previousWindow = SDL_GL_GetCurrentWindow();
  SDL_GLContext previousContext = SDL_GL_GetCurrentContext();
  SetGlAttributes(samples, false);
  SDL_Window* probe = SDL_CreateWindow(
      "", 0, 0, 1, 1, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS);
  if (probe == nullptr) return 0;
  GLint given = 0;
  if (SDL_GLContext context = SDL_GL_CreateContext(probe)) {
    glGetIntegerv(GL_SAMPLES, &given);
    SDL_GL_MakeCurrent(previousWindow, previousContext);
    SDL_GL_DeleteContext(context);
  }
  SDL_DestroyWindow(probe);
  if (previousContext != nullptr) SDL_GL_MakeCurrent(previousWindow, previousContext);
  return given;
}

bool PollEvent(Event& event) {
  SDL_Event sdl;
  while (SDL_PollEvent(&sdl) != 0) {
    if (Translate(sdl, event)) return true;
  }
  return false;
}

void PostQuit(int code) {
  SDL_Event event{};
  event.type = Video().quitEventType;
  event.user.code = code;
  if (event.type != 0) SDL_PushEvent(&event);
}

DisplaySize GetDisplaySize() {
  SDL_DisplayMode mode{};
  if (SDL_GetDesktopDisplayMode(0, &mode) != 0) return {};
  return {mode.w, mode.h};
}

bool Window::ChangeDisplayMode(int width, int height, bool& readable) {
  SDL_DisplayMode current{};
  readable = SDL_GetCurrentDisplayMode(0, &current) == 0;
  if (!readable) return false;
  SDL_DisplayMode wanted = current;
  wanted.w = width;
  wanted.h = height;
  SDL_DisplayMode closest{};
  if (SDL_GetClosestDisplayMode(0, &wanted, &closest) == nullptr) return false;
  if (closest.w != width || closest.h != height) return false;
  return SDL_SetWindowDisplayMode(impl_->window, &closest) == 0 &&
         SDL_SetWindowFullscreen(impl_->window, SDL_WINDOW_FULLSCREEN) == 0;
}

void Window::RestoreDisplayMode() { SDL_SetWindowFullscreen(impl_->window, 0); }

void SetCursorShape(CursorShape shape) {
  VideoState& video = Video();
  SDL_Cursor*& cursor = shape == CursorShape::Hand ? video.hand : video.arrow;
  if (cursor == nullptr) {
    cursor = SDL_CreateSystemCursor(shape == CursorShape::Hand ? SDL_SYSTEM_CURSOR_HAND
                                                               : SDL_SYSTEM_CURSOR_ARROW);
  }
  if (cursor != nullptr) SDL_SetCursor(cursor);
}

void ShowCursor(bool show) { SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE); }

void GetGlobalMouse(int& x, int& y, bool& left, bool& right) {
  const Uint32 buttons = SDL_GetGlobalMouseState(&x, &y);
  left = (buttons & SDL_BUTTON_LMASK) != 0;
  right = (buttons & SDL_BUTTON_RMASK) != 0;
}

}  // namespace platform
