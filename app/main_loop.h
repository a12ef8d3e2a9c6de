// The message/frame loop, one running frame, and the orderly shutdown.
#pragma once

#include "app/application.h"

namespace app {

// Runs until a quit message or a cancelled start-up; then shuts down and
// returns the quit message's code.
int RunMainLoop(Application& a);

// One running frame, from the camera's step to the swap.
void RenderFrame(Application& a);

// The scene of one frame by the pass mit_wasser selects, its triangles
// counted afresh: what RenderFrame draws before the overlays and the swap.
void DrawSceneFrame(Application& a);

// Milliseconds since the last call, from the high-resolution counter.
void MeasureFrameTime(AppState& app, platform::Clock& clock);

// Joins the loader, writes the camera pose keys that changed and the window
// placement, deletes the texture slots, releases the GL contexts and
// restores the display mode.
void Shutdown(Application& a);

// The render quality choice as a terrain detail level: 0 -> 2, 1 -> 1,
// 2 -> 0; any other value keeps the previous level.
int DetailLevelFromRenderType(int renderType, int previous);

}  // namespace app
