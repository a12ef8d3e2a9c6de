// The high-resolution counter that frame timing and the benchmark clock use,
// and the pauses of the loop. Frame timing reads this counter only, never a
// tick count; tests script it with platform/fake/scripted_clock.h.
#pragma once

#include <cstdint>

namespace platform {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual int64_t Now() = 0;
  virtual int64_t Frequency() = 0;
  virtual void SleepMs(int ms) = 0;
};

}  // namespace platform
