#include "platform/win32/system_clock.h"

#include <windows.h>
// After windows.h, which it needs.
#include <timeapi.h>

namespace platform::win32 {

SystemClock::SystemClock() {
  LARGE_INTEGER frequency;
  // Never fails on Windows XP and later.
  QueryPerformanceFrequency(&frequency);
  frequency_ = frequency.QuadPart;
  timerRaised_ = timeBeginPeriod(1) == TIMERR_NOERROR;
}

SystemClock::~SystemClock() {
  if (timerRaised_) timeEndPeriod(1);
}

int64_t SystemClock::Now() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

int64_t SystemClock::Frequency() { return frequency_; }

void SystemClock::SleepMs(int ms) { Sleep(ms < 0 ? 0 : static_cast<DWORD>(ms)); }

}  // namespace platform::win32
