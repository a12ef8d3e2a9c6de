#include <SDL.h>

#include "platform/clock.h"

namespace platform {

int64_t CounterNow() { return static_cast<int64_t>(SDL_GetPerformanceCounter()); }

int64_t CounterFrequency() { return static_cast<int64_t>(SDL_GetPerformanceFrequency()); }

void SleepMs(int ms) { SDL_Delay(ms < 0 ? 0 : static_cast<Uint32>(ms)); }

}  // namespace platform
