// The clock of platform/clock.h on Windows: the performance counter, and
// pauses with the system timer raised to 1 ms while the clock lives, so that
// a 5 ms pause of the loop does not become the default 15.6 ms.
#pragma once

#include "platform/clock.h"

namespace platform::win32 {

class SystemClock final : public Clock {
 public:
  SystemClock();
  ~SystemClock() override;
  SystemClock(const SystemClock&) = delete;
  SystemClock& operator=(const SystemClock&) = delete;

  int64_t Now() override;
  int64_t Frequency() override;
  void SleepMs(int ms) override;

 private:
  int64_t frequency_ = 0;
  bool timerRaised_ = false;
};

}  // namespace platform::win32
