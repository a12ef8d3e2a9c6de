// The benchmark run: whether a run plays, and stopping it. The recorded
// camera path and its playback come with the measurement code.
#pragma once

namespace bench {

struct BenchmarkPlayer {
  bool playing = false;
};

BenchmarkPlayer& Player();

bool IsPlaying(const BenchmarkPlayer& player);
void StopPlayback(BenchmarkPlayer& player);

}  // namespace bench
