// Properties that must hold for any bytes fed to the OBJ reader: the first
// byte chooses the text reader (even) or the file reader (odd), the rest is
// its input. Shared by the libFuzzer target and the replay of its seed
// corpus in the normal test run.
#pragma once

#include <cstdint>
#include <span>

namespace scene_test {

// Null when every property holds, otherwise a description of the first
// broken one.
const char* CheckObjBytes(std::span<const uint8_t> bytes);

}  // namespace scene_test
