#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "platform/debug_output.h"

namespace platform {
namespace {

struct DebugOutputState {
  std::mutex mutex;
  DebugOutputHandler handler;
};

DebugOutputState& State() {
  static DebugOutputState state;
  return state;
}

bool SwitchedOn() {
  static const bool on = [] {
    const char* value = std::getenv("MG_DEBUG_OUTPUT");
    return value != nullptr && *value != '\0' && std::strcmp(value, "0") != 0;
  }();
  return on;
}

}  // namespace

void DebugOutput(std::string_view text) {
  DebugOutputHandler handler;
  {
    std::lock_guard lock(State().mutex);
    handler = State().handler;
  }
  if (handler) {
    handler(text);
  } else if (SwitchedOn()) {
    std::fwrite(text.data(), 1, text.size(), stderr);
  }
}

DebugOutputHandler SetDebugOutputHandler(DebugOutputHandler handler) {
  std::lock_guard lock(State().mutex);
  std::swap(State().handler, handler);
  return handler;
}

}  // namespace platform
