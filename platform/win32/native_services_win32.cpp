#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cstdio>

#include "platform/native_services.h"
#include "platform/win32/canvas_gdi.h"
#include "platform/win32/system_clock.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/win32_audio_output.h"
#include "platform/win32/win32_power.h"
#include "platform/win32/win32_system_info.h"
#include "platform/win32/win32_wait_window.h"
#include "platform/win32/win32_window_system.h"

namespace platform {

NativeServices MakeNativeServices(bool offscreen) {
  using namespace win32;
  // Standard error is written line by line as it comes, as on Linux: the C
  // runtime would keep it in a buffer when it goes to a file or a pipe, and
  // a watching script or a crash would lose the last lines.
  std::setvbuf(stderr, nullptr, _IONBF, 0);
  NativeServices native;
  auto windows = std::make_unique<Win32WindowSystem>(offscreen);
  Win32WindowSystem& system = *windows;
  native.windows = std::move(windows);
  native.clock = std::make_unique<SystemClock>();
  native.power = std::make_unique<Win32Power>();
  native.audio = std::make_unique<DirectSoundOutput>();
  native.system = std::make_unique<Win32SystemInfo>();
  native.createWaitWindow = [&system](const WaitWindowInfo& info) {
    return CreateWin32WaitWindow(system, info);
  };
  native.createCanvas = CreateGdiCanvas;
  return native;
}

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) return std::vector<std::string>(argv, argv + argc);
  std::vector<std::string> arguments;
  for (int i = 0; i < count; ++i) arguments.push_back(win32::Utf8(wide[i]));
  LocalFree(wide);
  return arguments;
}

}  // namespace platform
