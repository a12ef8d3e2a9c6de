// Which of a run's frames GL is asked about, and the ratio over the answers.
#include "bench/triangle_check.h"

#include <gtest/gtest.h>

namespace {

TEST(TriangleCheckTest, TheFirstAndEveryIntervalthFrameIsSampledWhileNoAnswerIsAwaited) {
  bench::TriangleCheck check;
  const struct {
    int frame;
    bool sampled;
  } cases[] = {{0, false}, {1, true}, {2, false}, {32, false}, {33, true}, {65, true}};
  for (const auto& c : cases) EXPECT_EQ(bench::WantsSample(check, c.frame), c.sampled) << c.frame;
  bench::NoteSampled(check, 1000);
  EXPECT_FALSE(bench::WantsSample(check, 33)) << "an answer is awaited";
}

TEST(TriangleCheckTest, RatioIsOverTheAnsweredFramesOnly) {
  bench::TriangleCheck check;
  EXPECT_FALSE(bench::AssembledPerCounted(check)) << "no answer yet";
  bench::NoteAssembled(check, 999);
  EXPECT_EQ(check.samples, 0) << "an answer nobody asked for is ignored";
  bench::NoteSampled(check, 1000);
  bench::NoteAssembled(check, 998);
  bench::NoteSampled(check, 3000);
  bench::NoteAssembled(check, 1500);
  bench::NoteSampled(check, 500);  // its answer never comes
  EXPECT_EQ(check.samples, 2);
  EXPECT_DOUBLE_EQ(*bench::AssembledPerCounted(check), 2498.0 / 4000.0);
}

}  // namespace
