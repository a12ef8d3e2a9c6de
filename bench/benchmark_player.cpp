#include "bench/benchmark_player.h"

namespace bench {

bool IsPlaying(const BenchmarkPlayer& player) { return player.playing; }

void StopPlayback(BenchmarkPlayer& player) { player.playing = false; }

void PlaybackStep(BenchmarkPlayer&, scene::Camera&) {}

}  // namespace bench
