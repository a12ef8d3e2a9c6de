#include "app/application.h"
#include "platform/sdl/sdl_power.h"
#include "platform/sdl/sdl_audio_output.h"
#include "platform/sdl/sdl_window_system.h"

int main() {
  platform::sdl::SystemClock clock;
  platform::sdl::SdlWindowSystem windows;
  platform::sdl::SdlPower power;
  platform::sdl::SdlAudioOutput audio;
  app::Application application(windows, clock, power, audio);
  return app::RunApplication(application);
}
