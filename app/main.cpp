#include <cstdlib>
#include <iostream>
#include <memory>

#include "app/application.h"
#include "app/command_line.h"
#include "app/reference_check.h"
#include "platform/console.h"
#include "platform/memory.h"
#include "platform/message_box.h"
#include "platform/native_services.h"
#include "platform/text_codec.h"

int main(int argc, char** argv) {
  platform::RestartWithHugePages(argv);
  const std::vector<std::string> arguments = platform::CommandLineArguments(argc, argv);
  std::vector<const char*> argumentPointers;
  for (const std::string& argument : arguments) argumentPointers.push_back(argument.c_str());
  const app::ParsedCommandLine parsed = app::ParseCommandLine(
      static_cast<int>(argumentPointers.size()), argumentPointers.data(), std::cout, std::cerr);
  if (!parsed.options) return parsed.exitCode;
  app::Options options = *parsed.options;
  // A developer's switch for the tests: a frame that must fail validation.
  options.validateWithoutPalms = std::getenv("MG_VALIDATE_WITHOUT_PALMS") != nullptr;

  platform::NativeServices native = platform::MakeNativeServices(options.offscreen);
  app::GlRenderer renderer;
  app::Application application(*native.windows, *native.clock, *native.power, *native.audio,
                               renderer, options);
  application.developer = app::ReadDeveloperSwitches();
  application.start.checkReferences = app::CompareWithReferences;
  // A started benchmark has no one to look at a wait window.
  if (!options.benchmark && !options.offscreen) application.wait.create = native.createWaitWindow;
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
  return app::RunApplication(application, {native.createCanvas, *native.system});
}
