#include "app/application.h"
#include "platform/sdl/sdl_window_system.h"

int main() {
  platform::sdl::SystemClock clock;
  platform::sdl::SdlWindowSystem windows;
  app::Application application(windows, clock);
  return app::RunApplication(application);
}
