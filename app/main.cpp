#include "app/application.h"
#include "platform/sdl/sdl_power.h"
#include "platform/sdl/sdl_window_system.h"

int main() {
  platform::sdl::SystemClock clock;
  platform::sdl::SdlWindowSystem windows;
  platform::sdl::SdlPower power;
  app::Application application(windows, clock, power);
  return app::RunApplication(application);
}
