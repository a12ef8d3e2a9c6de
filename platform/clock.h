// The high-resolution counter that frame timing and the benchmark clock use.
#pragma once

#include <cstdint>

namespace platform {

int64_t CounterNow();
int64_t CounterFrequency();
void SleepMs(int ms);

}  // namespace platform
