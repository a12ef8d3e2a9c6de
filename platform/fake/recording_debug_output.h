// Records debug output instead of writing it, for as long as it lives.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "platform/debug_output.h"

namespace platform::fake {

class RecordingDebugOutput {
 public:
  RecordingDebugOutput();
  ~RecordingDebugOutput();
  RecordingDebugOutput(const RecordingDebugOutput&) = delete;
  RecordingDebugOutput& operator=(const RecordingDebugOutput&) = delete;

  std::vector<std::string> texts() const;

 private:
  mutable std::mutex mutex_;
  std::vector<std::string> texts_;
  DebugOutputHandler previous_;
};

}  // namespace platform::fake
