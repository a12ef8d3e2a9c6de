// One frame of the program's scene, drawn off-screen by the program's own
// start-up and drawing code and written as a PNG.
#pragma once

#include <string>

#include "platform/clock.h"
#include "platform/window.h"
#include "tools/scene-shot/shot_options.h"

namespace shot {

// Opens the window system, builds the scene, draws one frame as the options
// ask and writes it to options.outPath. False with the reason in `error`
// when there is no GL context, the scene's GL set-up fails or the file
// cannot be written. The settings file is neither looked for nor written.
bool RenderShot(const ShotOptions& options, platform::WindowSystem& windows, platform::Clock& clock,
                std::string& error);

}  // namespace shot
