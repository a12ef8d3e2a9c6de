// Keep-awake through SetThreadExecutionState, thread priority through
// SetThreadPriority. Priorities are reported the way power.h counts them,
// lower running sooner: the negated Windows priority (THREAD_PRIORITY_HIGHEST,
// 2, reads as -2).
#pragma once

#include "platform/power.h"

namespace platform::win32 {

class Win32Power final : public Power {
 public:
  // What a run asks for: THREAD_PRIORITY_HIGHEST, which any user may set
  // (time-critical is left to the system's own threads).
  static constexpr int kRaisedPriority = -2;

  void KeepAwake(bool on) override;
  int ThreadPriority() override;
  bool RaiseThreadPriority() override;
  bool SetThreadPriority(int priority) override;
};

}  // namespace platform::win32
