// Properties that must hold for any bytes read as an SMBIOS memory-device
// record. Shared by the libFuzzer target and the replay of its seed corpus in
// the normal test run.
#pragma once

#include <cstdint>
#include <span>

namespace platform_test {

// Null when every property holds, otherwise a description of the first
// broken one.
const char* CheckMemoryDeviceBytes(std::span<const uint8_t> bytes);

}  // namespace platform_test
