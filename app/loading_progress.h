// The progress texts of start-up, handed from the thread that loads to the
// main thread, which alone draws them (menu and wait window).
#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

namespace app {

class LoadingProgress {
 public:
  // Any thread: the newest text replaces one not yet taken.
  void Post(std::u16string_view text);
  // Main thread: the newest text, once; nothing when none came since.
  std::optional<std::u16string> Take();

 private:
  std::mutex mutex_;
  std::u16string text_;
  bool fresh_ = false;
};

// A developer's view of start-up: with MG_DEBUG_OUTPUT set, each text and
// each timed step goes to standard error as one "startup:" line.
void TraceLoadingText(std::u16string_view text);
void TraceStep(std::string_view step, double milliseconds);

}  // namespace app
