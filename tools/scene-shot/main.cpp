// scene-shot: one frame of the program's scene as a PNG, for looking at a
// pose, a pass or a water height without flying there.
#include <stdlib.h>

#include <cstdio>

#include "platform/message_box.h"
#include "platform/sdl/sdl_window_system.h"
#include "platform/text_codec.h"
#include "tools/scene-shot/scene_shot.h"

int main(int argc, char** argv) {
  const shot::ShotCommandLine command = shot::ParseShotCommandLine(argc, argv);
  if (!command.options) {
    std::fputs(command.text.c_str(), command.exitCode == 0 ? stdout : stderr);
    if (command.exitCode != 0) std::fputc('\n', stderr);
    return command.exitCode;
  }
  // Off-screen unless the caller named a driver.
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  // The scene's set-up reports problems in message boxes; a command-line
  // tool prints them.
  platform::SetMessageBoxHandler([](const platform::MessageBoxRequest& request) {
    std::fprintf(stderr, "scene-shot: %s\n", platform::Utf16ToUtf8(request.text).c_str());
  });
  platform::sdl::SdlWindowSystem windows;
  platform::sdl::SystemClock clock;
  std::string error;
  if (!shot::RenderShot(*command.options, windows, clock, error)) {
    std::fprintf(stderr, "scene-shot: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
