// The message/frame loop, one running frame, and the orderly shutdown.
#pragma once

#include "app/window_proc.h"
#include "bench/frame_statistics.h"

namespace app {

// Runs until a quit message or a cancelled start-up; then shuts down and
// returns the quit message's code.
int RunMainLoop(WindowProcContext& ctx, bench::FrameStatistics& stats);

// One running frame, from the camera's step to the swap.
void RenderFrame(WindowProcContext& ctx);

// Milliseconds since the last call, from the high-resolution counter.
void MeasureFrameTime(AppState& app);

// Writes the camera pose keys that changed, deletes the texture slots,
// releases the GL contexts and restores the display mode.
void Shutdown(WindowProcContext& ctx);

// The render quality choice as a terrain detail level: 0 -> 2, 1 -> 1,
// 2 -> 0; any other value keeps the previous level.
int DetailLevelFromRenderType(int renderType, int previous);

}  // namespace app
