#include "platform/sdl/sdl_window_system.h"

#include <GL/gl.h>

#include <cstdlib>
#include <cstring>

#include "platform/sdl/key_map.h"
#include "platform/sdl/sdl_window.h"

namespace platform::sdl {
namespace {

// The X11 class of every window of the program.
constexpr const char* kWindowClass = "Velkarion_2020";

// Drivers that draw without a display: used only when asked for by name.
bool IsHeadlessDriver(const char* name) {
  return name != nullptr &&
         (std::strcmp(name, "offscreen") == 0 || std::strcmp(name, "dummy") == 0);
}

std::string NoDisplayText() {
  const char* display = std::getenv("DISPLAY");
  std::string text = "No display could be opened (DISPLAY=";
  text += display != nullptr ? display : "";
  text += "). To run the benchmark without a display: morvandel-gauge --benchmark --offscreen";
  return text;
}

bool TranslateWindowEvent(const SDL_WindowEvent& in, Event& out) {
  out.windowId = in.windowID;
  switch (in.event) {
    case SDL_WINDOWEVENT_CLOSE:
      out.type = EventType::Close;
      return true;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      out.type = EventType::Size;
      out.width = in.data1;
      out.height = in.data2;
      return true;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
    case SDL_WINDOWEVENT_FOCUS_LOST:
      out.type = EventType::Activate;
      out.active = in.event == SDL_WINDOWEVENT_FOCUS_GAINED;
      return true;
    default:
      return false;
  }
}

bool TranslateButton(const SDL_MouseButtonEvent& in, bool down, Event& out) {
  out.windowId = in.windowID;
  out.x = in.x;
  out.y = in.y;
  if (in.button == SDL_BUTTON_LEFT) {
    out.type = down ? EventType::LButtonDown : EventType::LButtonUp;
    return true;
  }
  if (in.button == SDL_BUTTON_RIGHT) {
    out.type = down ? EventType::RButtonDown : EventType::RButtonUp;
    return true;
  }
  return false;
}

}  // namespace

bool SdlWindowSystem::Init() {
  if (initialised_) return true;
  setenv("SDL_VIDEO_X11_WMCLASS", kWindowClass, 1);
  SDL_SetHint(SDL_HINT_APP_NAME, kWindowClass);
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  const bool offscreen = driver_ == VideoDriver::Offscreen;
  // Above SDL_VIDEODRIVER too: asked for off-screen, the program never opens
  // a window on a display.
  if (offscreen) SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, "offscreen", SDL_HINT_OVERRIDE);
  // SDL falls back to its off-screen driver when no display answers; the
  // program would then render invisibly for ever. A display that is named
  // but does not answer at once (a server still starting) is asked again.
  const char* asked = std::getenv("SDL_VIDEODRIVER");
  const char* display = std::getenv("DISPLAY");
  const int tries = display != nullptr && *display != '\0' ? 3 : 1;
  for (int attempt = 1;; ++attempt) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
      lastError_ = SDL_GetError();
      return false;
    }
    if (offscreen || !IsHeadlessDriver(SDL_GetCurrentVideoDriver()) ||
        (asked != nullptr && *asked != '\0')) {
      break;
    }
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    if (attempt == tries) {
      lastError_ = NoDisplayText();
      return false;
    }
    SDL_Delay(200);
  }
  quitEventType_ = SDL_RegisterEvents(1);
  if (quitEventType_ == static_cast<Uint32>(-1)) quitEventType_ = 0;
  initialised_ = true;
  return true;
}

void SdlWindowSystem::Shutdown() {
  if (!initialised_) return;
  if (arrow_ != nullptr) SDL_FreeCursor(arrow_);
  if (hand_ != nullptr) SDL_FreeCursor(hand_);
  arrow_ = hand_ = nullptr;
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
  initialised_ = false;
}

std::unique_ptr<Window> SdlWindowSystem::CreateWindow(const WindowCreateInfo& info) {
  SetGlAttributes(info.samples, false);
  Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE;
  if (!info.decorated) flags |= SDL_WINDOW_BORDERLESS;
  SDL_Window* sdl = SDL_CreateWindow(info.title.c_str(), info.x, info.y, info.clientWidth,
                                     info.clientHeight, flags);
  if (sdl == nullptr) {
    lastError_ = SDL_GetError();
    return nullptr;
  }
  if (info.minWidth > 0 && info.minHeight > 0) {
    SDL_SetWindowMinimumSize(sdl, info.minWidth, info.minHeight);
  }
  // An off-screen drawable is a single-buffered pbuffer where a swap does
  // nothing: the window then finishes each frame itself, so frames are timed.
  const bool finishOnSwap = IsHeadlessDriver(SDL_GetCurrentVideoDriver());
  return std::make_unique<SdlWindow>(sdl, info.samples, lastError_, finishOnSwap);
}

void SdlWindowSystem::DeleteContext(GlContext context) {
  if (context) SDL_GL_DeleteContext(reinterpret_cast<SDL_GLContext>(context.handle()));
}

void SdlWindowSystem::ReleaseCurrentContext() {
  SDL_GL_MakeCurrent(SDL_GL_GetCurrentWindow(), nullptr);
}

bool SdlWindowSystem::SetSwapInterval(int interval) {
  // Some drivers accept the request and keep their own interval.
  return SDL_GL_SetSwapInterval(interval) == 0 && SDL_GL_GetSwapInterval() == interval;
}

int SdlWindowSystem::ProbeMultisample(int samples) {
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

bool SdlWindowSystem::PollEvent(Event& event) {
  SDL_Event sdl;
  while (SDL_PollEvent(&sdl) != 0) {
    if (sdl.type == SDL_WINDOWEVENT) {
      if (SdlWindow* window = FromSdl(SDL_GetWindowFromID(sdl.window.windowID))) {
        window->TrackRestoreRect();
      }
    }
    if (Translate(sdl, event)) return true;
  }
  return false;
}

void SdlWindowSystem::PostQuit(int code) {
  SDL_Event event{};
  event.type = quitEventType_;
  event.user.code = code;
  if (event.type != 0) SDL_PushEvent(&event);
}

DisplaySize SdlWindowSystem::GetDisplaySize() {
  SDL_DisplayMode mode{};
  if (SDL_GetDesktopDisplayMode(0, &mode) != 0) return {};
  return {mode.w, mode.h};
}

int SdlWindowSystem::GetRefreshRate() {
  SDL_DisplayMode mode{};
  if (SDL_GetCurrentDisplayMode(0, &mode) != 0) return 0;
  return mode.refresh_rate;
}

void SdlWindowSystem::SetCursorShape(CursorShape shape) {
  SDL_Cursor*& cursor = shape == CursorShape::Hand ? hand_ : arrow_;
  if (cursor == nullptr) {
    cursor = SDL_CreateSystemCursor(shape == CursorShape::Hand ? SDL_SYSTEM_CURSOR_HAND
                                                               : SDL_SYSTEM_CURSOR_ARROW);
  }
  if (cursor != nullptr) SDL_SetCursor(cursor);
}

void SdlWindowSystem::ShowCursor(bool show) { SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE); }

void SdlWindowSystem::GetGlobalMouse(int& x, int& y, bool& left, bool& right) {
  const Uint32 buttons = SDL_GetGlobalMouseState(&x, &y);
  left = (buttons & SDL_BUTTON_LMASK) != 0;
  right = (buttons & SDL_BUTTON_RMASK) != 0;
}

bool SdlWindowSystem::Translate(const SDL_Event& in, Event& out) const {
  out = Event{};
  switch (in.type) {
    case SDL_QUIT:
      out.type = EventType::Close;
      return true;
    case SDL_WINDOWEVENT:
      return TranslateWindowEvent(in.window, out);
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
    case SDL_MOUSEBUTTONUP:
      return TranslateButton(in.button, in.type == SDL_MOUSEBUTTONDOWN, out);
    default:
      if (in.type == quitEventType_ && in.type != 0) {
        out.type = EventType::Quit;
        out.code = in.user.code;
        return true;
      }
      return false;
  }
}

}  // namespace platform::sdl
