// The camera path the program carries for its benchmark runs.
#pragma once

#include "bench/benchmark_player.h"

namespace bench {

// Unscrambles the carried path and appends it to the player's keyframes.
PathLoadResult LoadEmbeddedBenchmarkPath(BenchmarkPlayer& player);

}  // namespace bench
