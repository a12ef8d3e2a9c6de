#include "bench/embedded_path.h"

#include "embedded/bench.h"

namespace bench {

PathLoadResult LoadEmbeddedBenchmarkPath(BenchmarkPlayer& player) {
  return LoadBenchmarkPath(embedded::benchmark_path.Unscrambled(), player.keyframes);
}

}  // namespace bench
