// What both platforms' message boxes share: the replaceable handler.
#include "platform/message_box.h"

#include <mutex>

namespace platform {
namespace {

struct MessageBoxState {
  std::mutex mutex;
  MessageBoxHandler handler;
};

MessageBoxState& State() {
  static MessageBoxState state;
  return state;
}

}  // namespace

void ShowMessageBox(std::u16string_view text, std::u16string_view caption, MessageIcon icon) {
  MessageBoxHandler handler;
  {
    std::lock_guard lock(State().mutex);
    handler = State().handler;
  }
  const MessageBoxRequest request{text, caption, icon};
  if (handler) {
    handler(request);
  } else {
    ShowNativeMessageBox(request);
  }
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
  std::lock_guard lock(State().mutex);
  std::swap(State().handler, handler);
  return handler;
}

}  // namespace platform
