// Windows with a GL drawable, GL contexts, window events, cursors and display
// modes, as one replaceable service.
//
// One Window is one top-level window whose client area carries the GL
// surface. Its multisample count is fixed when it is created, so a change of
// antialiasing creates a new Window whose context shares objects with the old
// one. Keyboard events carry Windows virtual-key codes (platform/virtual_keys.h).
// The program reaches all of this through a WindowSystem: the SDL one
// (platform/sdl/sdl_window_system.h) or a recording one in tests
// (platform/fake/recording_window_system.h).
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "platform/win32_names.h"

namespace platform {

struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool operator==(const Rect&) const = default;
};

enum class ShowState { Hidden, Normal, Maximized, Minimized };

struct WindowCreateInfo {
  std::string title;  // UTF-8
  int clientWidth = 1024;
  int clientHeight = 768;
  int x = 0;  // outer position on the screen
  int y = 0;
  bool decorated = true;
  int minWidth = 0;  // minimum outer size
  int minHeight = 0;
  int samples = 0;  // multisample count of the drawable; 0 = none
};

enum class EventType {
  Quit,      // a posted quit request; code holds its exit code
  Close,     // the user asked the window to close
  Size,      // new client size in width, height
  Activate,  // active holds the new state
  KeyDown,   // vk holds the virtual-key code
  KeyUp,
  MouseMove,  // x, y in client coordinates
  LButtonDown,
  LButtonUp,
  RButtonDown,
  RButtonUp,
};

struct Event {
  EventType type = EventType::Quit;
  uint32_t windowId = 0;  // 0 for events of no window
  int vk = 0;
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool active = false;
  int code = 0;
};

// A GL context of the window system. Copies name the same context; the one
// who created it deletes it once with WindowSystem::DeleteContext.
class GlContext {
 public:
  GlContext() = default;
  explicit GlContext(uintptr_t handle) : handle_(handle) {}
  explicit operator bool() const { return handle_ != 0; }
  uintptr_t handle() const { return handle_; }
  bool operator==(const GlContext&) const = default;

 private:
  uintptr_t handle_ = 0;
};

class Window {
 public:
  virtual ~Window() = default;

  virtual void Show(ShowState state) = 0;
  virtual ShowState GetShowState() const = 0;
  virtual void SetTitle(const std::string& utf8) = 0;
  virtual void SetBordered(bool bordered) = 0;
  virtual void SetAlwaysOnTop(bool onTop) = 0;
  // The picture the desktop shows for the window (title bar, task switcher):
  // width x height pixels of R, G, B, A bytes, top row first. Pixels that do
  // not match the size leave the icon as it was.
  virtual void SetIcon(int width, int height, std::span<const uint8_t> rgba) = 0;
  // Outer rectangle on the screen, frame included.
  virtual Rect GetWindowRect() const = 0;
  // The outer rectangle the window had when it was last shown normally; a
  // maximised or minimised window returns to it when restored.
  virtual Rect GetRestoreRect() const = 0;
  // Places the window so that its outer rectangle is the given one.
  virtual void SetWindowRect(const Rect& outer) = 0;
  virtual void GetClientSize(int& width, int& height) const = 0;
  virtual bool HasKeyboardFocus() const = 0;
  virtual bool IsBordered() const = 0;
  virtual int samples() const = 0;
  virtual uint32_t id() const = 0;

  // A new GL context for this window; shares objects with the current
  // context when shareWithCurrent is set. The new context is current
  // afterwards (on success); an empty handle on failure.
  virtual GlContext CreateContext(bool shareWithCurrent) = 0;
  virtual bool MakeCurrent(GlContext context) = 0;
  virtual void SwapBuffers() = 0;

  // Switches the display to width x height with this window full screen;
  // false when the current mode cannot be read (readable = false) or the
  // wanted one is refused.
  virtual bool ChangeDisplayMode(int width, int height, bool& readable) = 0;
  virtual void RestoreDisplayMode() = 0;
};

struct DisplaySize {
  int width = 0;
  int height = 0;
};

enum class CursorShape { Arrow, Hand };

class WindowSystem {
 public:
  virtual ~WindowSystem() = default;

  // False when no display can be opened; the reason is in LastError().
  virtual bool Init() = 0;
  virtual void Shutdown() = 0;
  virtual const std::string& LastError() const = 0;

  // Null when the window (with its GL visual) cannot be created; the reason
  // is in LastError(). The window starts hidden.
  virtual std::unique_ptr<Window> CreateWindow(const WindowCreateInfo& info) = 0;

  virtual void DeleteContext(GlContext context) = 0;
  // Releases the calling thread's current context.
  virtual void ReleaseCurrentContext() = 0;
  // Swap interval for the current context; false when the driver refuses it
  // or does not keep it.
  virtual bool SetSwapInterval(int interval) = 0;
  // The sample count the driver really gives when asked for this many (it
  // may give more), or 0 when it has no such drawable. The calling thread's
  // current context stays current.
  virtual int ProbeMultisample(int samples) = 0;

  // Events of every window, oldest first; false when none waits.
  virtual bool PollEvent(Event& event) = 0;
  // Queues a Quit event with the code; safe from any thread.
  virtual void PostQuit(int code) = 0;

  virtual DisplaySize GetDisplaySize() = 0;
  // The display's refresh rate in Hz; 0 when unknown (no display).
  virtual int GetRefreshRate() = 0;
  virtual void SetCursorShape(CursorShape shape) = 0;
  virtual void ShowCursor(bool show) = 0;
  // Cursor position on the screen and the mouse buttons held.
  virtual void GetGlobalMouse(int& x, int& y, bool& left, bool& right) = 0;
};

}  // namespace platform
