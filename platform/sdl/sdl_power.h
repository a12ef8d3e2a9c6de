// Keep-awake through SDL's screen-saver switch, thread priority through
// setpriority on the calling thread's id (Linux gives each thread a nice
// value of its own).
#pragma once

#include "platform/power.h"

namespace platform::sdl {

class SdlPower final : public Power {
 public:
  // The nice value a run asks for; a thread already running sooner keeps
  // its own.
  static constexpr int kRaisedPriority = -10;

  void KeepAwake(bool on) override;
  int ThreadPriority() override;
  bool RaiseThreadPriority() override;
  bool SetThreadPriority(int priority) override;
};

}  // namespace platform::sdl
