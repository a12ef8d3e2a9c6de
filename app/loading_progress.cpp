#include "app/loading_progress.h"

#include <cmath>

#include "platform/debug_output.h"
#include "platform/text_codec.h"

namespace app {

void LoadingProgress::Post(std::u16string_view text) {
  std::lock_guard<std::mutex> lock(mutex_);
  text_ = text;
  fresh_ = true;
}

std::optional<std::u16string> LoadingProgress::Take() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!fresh_) return std::nullopt;
  fresh_ = false;
  return text_;
}

void TraceLoadingText(std::u16string_view text) {
  platform::DebugOutput("startup: text \"" + platform::Utf16ToUtf8(text) + "\"\n");
}

void TraceStep(std::string_view step, double milliseconds) {
  // Tenths of a millisecond by hand: the line reads the same in every locale.
  const long long tenths = std::llround(milliseconds * 10.0);
  platform::DebugOutput("startup: " + std::string(step) + " " + std::to_string(tenths / 10) + "." +
                        std::to_string(tenths % 10) + " ms\n");
}

}  // namespace app
