#include <SDL.h>

#include "platform/sdl/sdl_window_system.h"

namespace platform::sdl {

int64_t SystemClock::Now() { return static_cast<int64_t>(SDL_GetPerformanceCounter()); }

int64_t SystemClock::Frequency() { return static_cast<int64_t>(SDL_GetPerformanceFrequency()); }

void SystemClock::SleepMs(int ms) { SDL_Delay(ms < 0 ? 0 : static_cast<Uint32>(ms)); }

}  // namespace platform::sdl
