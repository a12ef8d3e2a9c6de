// The benchmark run: whether a run plays, and stopping it. The recorded
// camera path and its playback come with the measurement code.
#pragma once

#include "scene/camera.h"

namespace bench {

struct BenchmarkPlayer {
  bool playing = false;
};

bool IsPlaying(const BenchmarkPlayer& player);
// Moves the camera along the recorded path while a run plays.
void PlaybackStep(BenchmarkPlayer& player, scene::Camera& camera);
void StopPlayback(BenchmarkPlayer& player);

}  // namespace bench
