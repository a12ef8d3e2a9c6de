// The path the program carries loads whole, in time order.
#include "bench/embedded_path.h"

#include <gtest/gtest.h>

namespace {

TEST(EmbeddedPathTest, TheCarriedPathLoadsAsSixtySecondsOfKeyframes) {
  bench::BenchmarkPlayer player;
  const bench::PathLoadResult result = bench::LoadEmbeddedBenchmarkPath(player);
  EXPECT_EQ(result.error, "");
  ASSERT_EQ(result.keyframes, 1620);
  EXPECT_EQ(player.keyframes.front().timeMs, 0.0);
  EXPECT_EQ(player.keyframes.back().timeMs, 60000.0);
  EXPECT_TRUE(bench::StartRun(player, 0.0));
}

}  // namespace
