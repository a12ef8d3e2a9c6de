#include "platform/debug_output.h"

#ifdef _WIN32
#include <windows.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

#ifdef _WIN32
#include "platform/text_codec.h"
#endif

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
    return;
  }
#ifdef _WIN32
  // Windows has a channel for these lines: the debugger's output window.
  const WString wide = Utf8ToUtf16(text);
  OutputDebugStringW(reinterpret_cast<const wchar_t*>(wide.c_str()));
#endif
  if (SwitchedOn()) std::fwrite(text.data(), 1, text.size(), stderr);
}

DebugOutputHandler SetDebugOutputHandler(DebugOutputHandler handler) {
  std::lock_guard lock(State().mutex);
  std::swap(State().handler, handler);
  return handler;
}

}  // namespace platform
