// The window system and clock of this platform, over SDL2 (X11, or the
// off-screen driver when SDL_VIDEODRIVER asks for it).
#pragma once

#include <SDL.h>

#include <memory>

#include "platform/clock.h"
#include "platform/window.h"

namespace platform::sdl {

enum class VideoDriver {
  Display,    // the desktop's display; SDL_VIDEODRIVER may name another
  Offscreen,  // SDL's off-screen driver (EGL pbuffers), no display needed
};

class SdlWindowSystem final : public WindowSystem {
 public:
  explicit SdlWindowSystem(VideoDriver driver = VideoDriver::Display) : driver_(driver) {}
  ~SdlWindowSystem() override { Shutdown(); }

  // With VideoDriver::Display, refuses SDL's off-screen and dummy drivers
  // unless SDL_VIDEODRIVER names them: without a display the program would
  // otherwise draw unseen.
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

 private:
  bool Translate(const SDL_Event& in, Event& out) const;

  VideoDriver driver_;
  bool initialised_ = false;
  Uint32 quitEventType_ = 0;
  std::string lastError_;
  SDL_Cursor* arrow_ = nullptr;
  SDL_Cursor* hand_ = nullptr;
};

// SDL's performance counter and SDL_Delay.
class SystemClock final : public Clock {
 public:
  int64_t Now() override;
  int64_t Frequency() override;
  void SleepMs(int ms) override;
};

}  // namespace platform::sdl
