// The performance counter as the frame clock: it runs forward at its stated
// rate, and a pause lasts about as long as asked.
#include "platform/win32/system_clock.h"

#include <gtest/gtest.h>

namespace {

TEST(Win32ClockTest, PausesAreMeasuredInCounterTicks) {
  platform::win32::SystemClock clock;
  ASSERT_GT(clock.Frequency(), 0);
  const int64_t before = clock.Now();
  clock.SleepMs(30);
  const double elapsedMs =
      static_cast<double>(clock.Now() - before) * 1000.0 / static_cast<double>(clock.Frequency());
  // At least the pause; the upper bound only catches a wrong frequency (a
  // busy machine may add a lot, but not a factor of ten).
  EXPECT_GE(elapsedMs, 29.0);
  EXPECT_LT(elapsedMs, 300.0);
  // A negative pause is no pause, and the counter never runs backwards.
  const int64_t again = clock.Now();
  clock.SleepMs(-5);
  EXPECT_GE(clock.Now(), again);
}

}  // namespace
