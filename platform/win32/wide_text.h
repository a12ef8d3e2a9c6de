// Windows' wide strings (UTF-16 in wchar_t) and the UTF-8 the rest of the
// program speaks; invalid sequences become U+FFFD, as in text_codec.h.
#pragma once

#include <string>
#include <string_view>

#include "platform/text_codec.h"

namespace platform::win32 {

inline std::wstring Wide(std::string_view utf8) {
  const WString text = Utf8ToUtf16(utf8);
  return std::wstring(text.begin(), text.end());
}

inline std::string Utf8(std::wstring_view text) {
  return Utf16ToUtf8(std::u16string(text.begin(), text.end()));
}

}  // namespace platform::win32
