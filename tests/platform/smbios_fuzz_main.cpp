// libFuzzer entry: smbios_fuzz <corpus folder>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "tests/platform/smbios_fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (const char* failure = platform_test::CheckMemoryDeviceBytes({data, size})) {
    std::fprintf(stderr, "%s\n", failure);
    std::abort();
  }
  return 0;
}
