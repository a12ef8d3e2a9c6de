#include <cstdlib>
#include <iostream>
#include <memory>

#include "app/application.h"
#include "app/command_line.h"
#include "app/reference_check.h"
#include "platform/console.h"
#include "platform/memory.h"
#include "platform/message_box.h"
#include "platform/sdl/canvas_cairo.h"
#include "platform/sdl/sdl_audio_output.h"
#include "platform/sdl/sdl_power.h"
#include "platform/sdl/sdl_wait_window.h"
#include "platform/sdl/sdl_window_system.h"
#include "platform/sdl/system_info_posix.h"
#include "platform/text_codec.h"

int main(int argc, char** argv) {
  platform::RestartWithHugePages(argv);
  const app::ParsedCommandLine parsed = app::ParseCommandLine(argc, argv, std::cout, std::cerr);
  if (!parsed.options) return parsed.exitCode;
  app::Options options = *parsed.options;
  // A developer's switch for the tests: a frame that must fail validation.
  options.validateWithoutPalms = std::getenv("MG_VALIDATE_WITHOUT_PALMS") != nullptr;

  platform::sdl::SystemClock clock;
  platform::sdl::SdlWindowSystem windows(options.offscreen ? platform::sdl::VideoDriver::Offscreen
                                                           : platform::sdl::VideoDriver::Display);
  platform::sdl::SdlPower power;
  platform::sdl::SdlAudioOutput audio;
  app::GlRenderer renderer;
  app::Application application(windows, clock, power, audio, renderer, options);
  application.developer = app::ReadDeveloperSwitches();
  application.start.checkReferences = app::CompareWithReferences;
  // A started benchmark has no one to look at a wait window.
  if (!options.benchmark && !options.offscreen) {
    application.wait.create = platform::sdl::CreateSdlWaitWindow;
  }
  // With the record on standard output, the record is all that goes there.
  std::unique_ptr<std::ostream> record;
  if (options.jsonPath == "-") record = platform::TakeStandardOutput();
  if (record) application.start.out = record.get();
  if (options.benchmark) {
    application.start.progressOnTerminal = platform::StandardErrorIsTerminal();
    platform::WatchInterrupt(application.start.interrupted);
  }
  if (options.offscreen) {
    // No one could close a box off-screen, and a script must not wait for one.
    platform::SetMessageBoxHandler([](const platform::MessageBoxRequest& box) {
      std::cerr << "morvandel-gauge: " << platform::Utf16ToUtf8(box.caption)
                << (box.caption.empty() ? "" : ": ") << platform::Utf16ToUtf8(box.text) << '\n';
    });
  }
  platform::sdl::PosixSystemInfo system;
  return app::RunApplication(application, {platform::sdl::CreateCairoCanvas, system});
}
