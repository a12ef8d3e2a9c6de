// The results page's ScreenShot command: the program's own frame saved as a
// PNG file and shown in the desktop's image viewer.
#pragma once

#include <ctime>

#include "app/app_state.h"
#include "platform/file_io.h"

namespace app {

// The "ScreenShot" command: the frame being drawn is saved once it is
// complete (the main loop calls TakeScreenshot before the swap).
void RequestScreenshot(AppState& app);

// Saves the frame just drawn (the back buffer before the swap) as
// Morvandel.Gauge_YYYY-MM-DD HH-MM.png in the private temporary folder and
// opens it with the desktop's image viewer, also when it could not be
// written. A second shot in the same minute replaces the first.
platform::PrivateFile TakeScreenshot(AppState& app, const std::tm& localTime);
platform::PrivateFile TakeScreenshot(AppState& app);

}  // namespace app
