// Message boxes through MessageBoxW, in front of the program's windows;
// where no box can be shown (no desktop) the text goes to standard error.
#include <windows.h>

#include <cstdio>

#include "platform/message_box.h"
#include "platform/text_codec.h"

namespace platform {

void ShowNativeMessageBox(const MessageBoxRequest& request) {
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

}  // namespace platform
