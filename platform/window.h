// Windows with a GL drawable, GL contexts, window events, cursors and display
// modes.
//
// One Window is one top-level window whose client area carries the GL
// surface. Its multisample count is fixed when it is created, so a change of
// antialiasing creates a new Window whose context shares objects with the old
// one. Keyboard events carry Windows virtual-key codes (platform/virtual_keys.h).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

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

using GlContext = void*;

class Window {
 public:
  ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  // Null when the window (with its GL visual) cannot be created; the reason
  // is in LastError().
  static std::unique_ptr<Window> Create(const WindowCreateInfo& info);

  void Show(ShowState state);
  ShowState GetShowState() const;
  void SetTitle(const std::string& utf8);
  void SetBordered(bool bordered);
  void SetAlwaysOnTop(bool onTop);
  // Outer rectangle on the screen, frame included.
  Rect GetWindowRect() const;
  // Places the window so that its outer rectangle is the given one.
  void SetWindowRect(const Rect& outer);
  void GetClientSize(int& width, int& height) const;
  bool HasKeyboardFocus() const;
  bool IsBordered() const;
  int samples() const { return samples_; }
  uint32_t id() const;

  // A new GL context for this window; shares objects with the current
  // context when shareWithCurrent is set. The new context is current
  // afterwards (on success).
  GlContext CreateContext(bool shareWithCurrent);

  // Switches the display to width x height with this window full screen;
  // false when the current mode cannot be read (readable = false) or the
  // wanted one is refused.
  bool ChangeDisplayMode(int width, int height, bool& readable);
  void RestoreDisplayMode();
  bool MakeCurrent(GlContext context);
  void SwapBuffers();

 private:
  Window() = default;
  struct Impl;
  std::unique_ptr<Impl> impl_;
  int samples_ = 0;
};

bool InitVideo();
void QuitVideo();
const std::string& LastError();

void DeleteContext(GlContext context);
// Releases the calling thread's current context.
void ReleaseCurrentContext();
// Swap interval for the current context; false when the driver refuses.
bool SetSwapInterval(int interval);
// The sample count the driver really gives when asked for this many (it may
// give more), or 0 when it has no such drawable. The calling thread's current
// context stays current.
int ProbeMultisample(int samples);

// Events of every window, oldest first; false when none waits.
bool PollEvent(Event& event);
// Queues a Quit event with the code; safe from any thread.
void PostQuit(int code);

struct DisplaySize {
  int width = 0;
  int height = 0;
};
DisplaySize GetDisplaySize();

enum class CursorShape { Arrow, Hand };
void SetCursorShape(CursorShape shape);
void ShowCursor(bool show);
// Cursor position on the screen and the mouse buttons held.
void GetGlobalMouse(int& x, int& y, bool& left, bool& right);

}  // namespace platform
