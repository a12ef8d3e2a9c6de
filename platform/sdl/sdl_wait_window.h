// The wait window over SDL: a borderless window with a software surface,
// painted with Cairo and Pango. On X11 it carries its own window class.
#pragma once

#include <memory>

#include "platform/wait_window.h"

namespace platform::sdl {

// Shown centred on the first display at once. Null when the window cannot
// be made (the video subsystem must be initialised).
std::unique_ptr<WaitWindow> CreateSdlWaitWindow(const WaitWindowInfo& info);

}  // namespace platform::sdl
