// The system's words for a Win32 error code (inside platform/win32 and the
// Windows-only files of the program).
#pragma once

#include <string>

#include "platform/win32_names.h"

namespace platform::win32 {

// FormatMessageW's text for `error` in UTF-8, without its closing full stop
// and line break; "error N" when the system has none. `module` names a DLL
// whose own messages are looked up first (WinHTTP's, for one).
std::string SystemErrorText(DWORD error, HMODULE module = nullptr);

}  // namespace platform::win32
