// The window system of platform/window.h on Win32 windows, WGL and GDI.
//
// Every window of the program belongs to one window class and one window
// procedure (platform/win32/win32_events.h), which turns its messages into
// the events PollEvent hands out. Windows are made and polled on the thread
// that called Init; PostQuit may come from any thread.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/win32_events.h"
#include "platform/win32/win32_pixel_format.h"
#include "platform/win32_names.h"
#include "platform/window.h"

namespace platform::win32 {

// A top-level window for the program's own use (the wait window): its events
// reach the window system's queue under link.id.
struct NativeWindowInfo {
  std::wstring title;
  std::wstring windowClass;  // empty: the program's class
  DWORD style = WS_POPUP;
  Rect outer;
};

class Win32WindowSystem final : public WindowSystem {
 public:
  // Off-screen windows are created but never shown, so a script's run draws
  // unseen; its frames are still read back from the drawable.
  explicit Win32WindowSystem(bool offscreen = false) : offscreen_(offscreen) {}
  ~Win32WindowSystem() override { Shutdown(); }
  Win32WindowSystem(const Win32WindowSystem&) = delete;
  Win32WindowSystem& operator=(const Win32WindowSystem&) = delete;

  // Registers the window class; false (with the reason) when the process
  // has no window station or desktop to make windows on.
  bool Init() override;
  void Shutdown() override;
  const std::string& LastError() const override { return lastError_; }
  std::unique_ptr<Window> CreateWindow(const WindowCreateInfo& info) override;
  void DeleteContext(GlContext context) override;
  void ReleaseCurrentContext() override;
  bool SetSwapInterval(int interval) override;
  int ProbeMultisample(int samples) override;
  bool PollEvent(Event& event) override;
  void PostQuit(int code) override;
  DisplaySize GetDisplaySize() override;
  int GetRefreshRate() override;
  void SetCursorShape(CursorShape shape) override;
  void ShowCursor(bool show) override;
  void GetGlobalMouse(int& x, int& y, bool& left, bool& right) override;

  bool offscreen() const { return offscreen_; }
  // Makes the window (hidden) and fills link's sink and id; null on failure
  // with the reason in LastError(). link must outlive the window.
  HWND CreateNativeWindow(const NativeWindowInfo& info, WindowLink& link);

 private:
  // Registers a class of the program's window procedure once; false on
  // failure with the reason in lastError_.
  bool RegisterWindowClass(const std::wstring& name);
  const MultisampleFormats& Multisample();

  bool offscreen_;
  bool initialised_ = false;
  HINSTANCE instance_ = nullptr;
  DWORD thread_ = 0;
  std::vector<std::wstring> classes_;
  std::string lastError_;
  EventSink sink_;
  uint32_t nextId_ = 1;
  std::optional<MultisampleFormats> multisample_;
  bool cursorHidden_ = false;
};

}  // namespace platform::win32
