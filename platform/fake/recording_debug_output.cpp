#include "platform/fake/recording_debug_output.h"

namespace platform::fake {

RecordingDebugOutput::RecordingDebugOutput() {
  previous_ = SetDebugOutputHandler([this](std::string_view text) {
    std::lock_guard lock(mutex_);
    texts_.emplace_back(text);
  });
}

RecordingDebugOutput::~RecordingDebugOutput() { SetDebugOutputHandler(std::move(previous_)); }

std::vector<std::string> RecordingDebugOutput::texts() const {
  std::lock_guard lock(mutex_);
  return texts_;
}

}  // namespace platform::fake
