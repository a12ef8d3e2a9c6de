#include "platform/win32/system_error.h"

#include "platform/win32/wide_text.h"

namespace platform::win32 {

std::string SystemErrorText(DWORD error, HMODULE module) {
  DWORD flags =
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
  if (module != nullptr) flags |= FORMAT_MESSAGE_FROM_HMODULE;
  wchar_t* text = nullptr;
  const DWORD length =
      FormatMessageW(flags, module, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring message = length > 0 ? std::wstring(text, length) : std::wstring();
  LocalFree(text);
  while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' ||
                              message.back() == L' ' || message.back() == L'.')) {
    message.pop_back();
  }
  return message.empty() ? "error " + std::to_string(error) : Utf8(message);
}

}  // namespace platform::win32
