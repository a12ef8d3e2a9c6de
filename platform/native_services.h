// The services of the platform the program was built for, made in one call:
// SDL2 and POSIX on Linux (sdl/native_services_sdl.cpp), Win32 on Windows
// (win32/native_services_win32.cpp). main() gets them here; everything else
// reaches them through the interfaces in platform/.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/audio.h"
#include "platform/canvas.h"
#include "platform/clock.h"
#include "platform/power.h"
#include "platform/system_info.h"
#include "platform/wait_window.h"
#include "platform/window.h"

namespace platform {

struct NativeServices {
  std::unique_ptr<WindowSystem> windows;
  std::unique_ptr<Clock> clock;
  std::unique_ptr<Power> power;
  std::unique_ptr<AudioOutput> audio;
  std::unique_ptr<SystemInfo> system;
  std::function<std::unique_ptr<WaitWindow>(const WaitWindowInfo& info)> createWaitWindow;
  std::function<std::unique_ptr<Canvas>(int width, int height)> createCanvas;
};

// Off-screen, the windows are never shown (the SDL side draws through EGL
// without a display).
NativeServices MakeNativeServices(bool offscreen);

// The command line as UTF-8, whatever the system's code page: Windows hands
// main() its arguments in the ANSI code page, so they are read again there.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

}  // namespace platform
