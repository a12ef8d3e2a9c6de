// Marks the end of a timed stage: waits for the GL to finish and charges the
// time since the previous mark to the stage. Null or disabled times cost
// nothing.
#pragma once

#include "scene/pass_times.h"

namespace scene {

// Starts a frame: finishes earlier GL work and zeroes the stages.
void BeginPassTimes(PassTimes* times);
void MarkPass(PassTimes* times, PassStage stage);
// Adds the time since `since` to a stage without moving the last mark.
void AddSpan(PassTimes* times, PassStage stage, std::chrono::steady_clock::time_point since);
std::chrono::steady_clock::time_point PassClock(const PassTimes* times);

}  // namespace scene
