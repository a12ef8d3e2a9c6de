#include "platform/win32/win32_power.h"

#include <windows.h>

namespace platform::win32 {

void Win32Power::KeepAwake(bool on) {
  // Continuous: the state holds for this thread until it is cleared.
  SetThreadExecutionState(on ? ES_CONTINUOUS | ES_DISPLAY_REQUIRED | ES_SYSTEM_REQUIRED
                             : ES_CONTINUOUS);
}

int Win32Power::ThreadPriority() {
  const int priority = GetThreadPriority(GetCurrentThread());
  return priority == THREAD_PRIORITY_ERROR_RETURN ? 0 : -priority;
}

bool Win32Power::RaiseThreadPriority() {
  if (ThreadPriority() <= kRaisedPriority) return true;
  return SetThreadPriority(kRaisedPriority);
}

bool Win32Power::SetThreadPriority(int priority) {
  return ::SetThreadPriority(GetCurrentThread(), -priority) != FALSE;
}

}  // namespace platform::win32
