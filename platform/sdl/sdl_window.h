// One SDL window with its GL drawable (inside platform/sdl only).
#pragma once

#include <SDL.h>

#include <string>

#include "platform/window.h"

namespace platform::sdl {

// The SDL window behind a Window, or null for windows of other kinds.
class SdlWindow;
SdlWindow* FromSdl(SDL_Window* window);

class SdlWindow final : public Window {
 public:
  // Takes ownership of the SDL window; failures are reported in lastError.
  // With finishOnSwap each swap waits for the frame to be drawn (glFinish).
  SdlWindow(SDL_Window* window, int samples, std::string& lastError, bool finishOnSwap);
  ~SdlWindow() override;

  void Show(ShowState state) override;
  ShowState GetShowState() const override;
  void SetTitle(const std::string& utf8) override;
  void SetBordered(bool bordered) override;
  void SetAlwaysOnTop(bool onTop) override;
  void SetIcon(int width, int height, std::span<const uint8_t> rgba) override;
  Rect GetWindowRect() const override;
  Rect GetRestoreRect() const override { return restoreRect_; }
  void SetWindowRect(const Rect& outer) override;
  void GetClientSize(int& width, int& height) const override;
  bool HasKeyboardFocus() const override;
  bool IsBordered() const override;
  int samples() const override { return samples_; }
  uint32_t id() const override;
  GlContext CreateContext(bool shareWithCurrent) override;
  bool MakeCurrent(GlContext context) override;
  void SwapBuffers() override;
  bool ChangeDisplayMode(int width, int height, bool& readable) override;
  void RestoreDisplayMode() override;

  // Remembers the outer rectangle while the window is shown normally, so
  // that a maximised window still knows where it came from.
  void TrackRestoreRect();

 private:
  SDL_Window* window_;
  int samples_;
  std::string& lastError_;
  bool finishOnSwap_;
  Rect restoreRect_;
};

// GL attributes for the next window or context.
void SetGlAttributes(int samples, bool share);

}  // namespace platform::sdl
