#include "bench/benchmark_player.h"

namespace bench {

BenchmarkPlayer& Player() {
  static BenchmarkPlayer player;
  return player;
}

bool IsPlaying(const BenchmarkPlayer& player) { return player.playing; }

void StopPlayback(BenchmarkPlayer& player) { player.playing = false; }

void PlaybackStep(BenchmarkPlayer&, scene::Camera&) {}

}  // namespace bench
