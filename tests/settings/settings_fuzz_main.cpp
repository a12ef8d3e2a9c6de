// libFuzzer entry: settings_fuzz <corpus folder>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "tests/settings/settings_fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const char* failure =
      settings_test::CheckSettingsBytes({reinterpret_cast<const char*>(data), size});
  if (failure != nullptr) {
    std::fprintf(stderr, "%s\n", failure);
    std::abort();
  }
  return 0;
}
