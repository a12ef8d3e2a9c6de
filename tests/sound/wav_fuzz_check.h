// Properties that must hold for any bytes fed to the RIFF walk. Shared by the
// libFuzzer target and the replay of its seed corpus in the normal test run.
#pragma once

#include <cstdint>
#include <span>

namespace sound_test {

// Null when every property holds, otherwise a description of the first
// broken one.
const char* CheckWavBytes(std::span<const uint8_t> bytes);

}  // namespace sound_test
