// The wait window on Win32: a borderless window painted with GDI into a
// memory bitmap, which also repaints it. Its events reach the window
// system's queue under its id; the program's factory binds the system:
//   wait.create = [&windows](const platform::WaitWindowInfo& info) {
//     return platform::win32::CreateWin32WaitWindow(windows, info);
//   };
#pragma once

#include <memory>

#include "platform/wait_window.h"
#include "platform/win32/win32_window_system.h"

namespace platform::win32 {

// Shown centred on the primary monitor at once (kept hidden when the window
// system is off-screen). Null when the window cannot be made (the window
// system must be initialised) or the size is not positive.
std::unique_ptr<WaitWindow> CreateWin32WaitWindow(Win32WindowSystem& windows,
                                                  const WaitWindowInfo& info);

}  // namespace platform::win32
