// Message boxes through MessageBoxW, in front of the program's windows;
// where no box can be shown (no desktop) the text goes to standard error.
#include <windows.h>

#include <cstdio>
#include <mutex>

#include "platform/message_box.h"
#include "platform/text_codec.h"

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

void ShowWindowsMessageBox(const MessageBoxRequest& request) {
  const std::u16string text(request.text);
  const std::u16string caption(request.caption);
  UINT flags = MB_OK | MB_SETFOREGROUND | MB_TASKMODAL;
  if (request.icon == MessageIcon::Information) flags |= MB_ICONINFORMATION;
  if (request.icon == MessageIcon::Error) flags |= MB_ICONERROR;
  if (MessageBoxW(nullptr, reinterpret_cast<const wchar_t*>(text.c_str()),
                  caption.empty() ? nullptr : reinterpret_cast<const wchar_t*>(caption.c_str()),
                  flags) == 0) {
    const std::string line =
        Utf16ToUtf8(caption) + (caption.empty() ? "" : ": ") + Utf16ToUtf8(text) + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
  }
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
    ShowWindowsMessageBox(request);
  }
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
  std::lock_guard lock(State().mutex);
  std::swap(State().handler, handler);
  return handler;
}

}  // namespace platform
