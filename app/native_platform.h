// The services of the platform the program was built for: SDL2 and POSIX on
// Linux (native_platform_sdl.cpp), Win32 on Windows (native_platform_win32.cpp).
// main.cpp is the one place that picks them; everything else reaches them
// through the interfaces in platform/.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "platform/audio.h"
#include "platform/canvas.h"
#include "platform/clock.h"
#include "platform/power.h"
#include "platform/system_info.h"
#include "platform/window.h"

namespace app {

struct NativePlatform {
  std::unique_ptr<platform::WindowSystem> windows;
  std::unique_ptr<platform::Clock> clock;
  std::unique_ptr<platform::Power> power;
  std::unique_ptr<platform::AudioOutput> audio;
  std::unique_ptr<platform::SystemInfo> system;
  WaitWindowFactory createWaitWindow;
  std::function<std::unique_ptr<platform::Canvas>(int width, int height)> createCanvas;
};

// Off-screen, the windows are never shown (the SDL side draws through EGL
// without a display).
NativePlatform MakeNativePlatform(bool offscreen);

// The command line as UTF-8, whatever the system's code page: Windows hands
// main() its arguments in the ANSI code page, so they are read again there.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

}  // namespace app
