// One top-level Win32 window with its GL pixel format (inside platform/win32
// only).
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/win32/win32_events.h"
#include "platform/win32_names.h"
#include "platform/window.h"

namespace platform::win32 {

// "what failed: Windows' text for GetLastError() (error n)".
std::string LastErrorText(std::string_view what);

// The style of a framed or a borderless top-level window.
DWORD WindowStyle(bool bordered);

class Win32Window final : public Window {
 public:
  // Takes ownership of the window, its class DC (CS_OWNDC) and the link the
  // window procedure reads. An off-screen window is never shown: Show only
  // records the state GetShowState reports. Failures are reported in
  // lastError, which must outlive the window.
  Win32Window(HWND window, HDC dc, std::unique_ptr<WindowLink> link, int samples, bool offscreen,
              std::string& lastError);
  ~Win32Window() override;
  Win32Window(const Win32Window&) = delete;
  Win32Window& operator=(const Win32Window&) = delete;

  void Show(ShowState state) override;
  ShowState GetShowState() const override;
  void SetTitle(const std::string& utf8) override;
  void SetBordered(bool bordered) override;
  void SetAlwaysOnTop(bool onTop) override;
  void SetIcon(int width, int height, std::span<const uint8_t> rgba) override;
  Rect GetWindowRect() const override;
  Rect GetRestoreRect() const override;
  void SetWindowRect(const Rect& outer) override;
  void GetClientSize(int& width, int& height) const override;
  bool HasKeyboardFocus() const override;
  bool IsBordered() const override;
  int samples() const override { return samples_; }
  uint32_t id() const override { return link_->id; }
  GlContext CreateContext(bool shareWithCurrent) override;
  bool MakeCurrent(GlContext context) override;
  void SwapBuffers() override;
  bool ChangeDisplayMode(int width, int height, bool& readable) override;
  void RestoreDisplayMode() override;

 private:
  HWND window_;
  HDC dc_;
  std::unique_ptr<WindowLink> link_;
  int samples_;
  bool offscreen_;
  std::string& lastError_;
  ShowState offscreenState_ = ShowState::Hidden;
  HICON icon_ = nullptr;
  // Full screen: the frame and place the window returns to.
  bool displayModeChanged_ = false;
  bool windowedBordered_ = true;
  Rect windowedRect_;
};

}  // namespace platform::win32
