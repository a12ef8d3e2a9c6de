#include "platform/native_services.h"
#include "platform/sdl/canvas_cairo.h"
#include "platform/sdl/sdl_audio_output.h"
#include "platform/sdl/sdl_power.h"
#include "platform/sdl/sdl_wait_window.h"
#include "platform/sdl/sdl_window_system.h"
#include "platform/sdl/system_info_posix.h"

namespace platform {

NativeServices MakeNativeServices(bool offscreen) {
  using namespace sdl;
  NativeServices native;
  native.windows =
      std::make_unique<SdlWindowSystem>(offscreen ? VideoDriver::Offscreen : VideoDriver::Display);
  native.clock = std::make_unique<SystemClock>();
  native.power = std::make_unique<SdlPower>();
  native.audio = std::make_unique<SdlAudioOutput>();
  native.system = std::make_unique<PosixSystemInfo>();
  native.createWaitWindow = CreateSdlWaitWindow;
  native.createCanvas = CreateCairoCanvas;
  return native;
}

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
  return std::vector<std::string>(argv, argv + argc);
}

}  // namespace platform
