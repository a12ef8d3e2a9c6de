// libFuzzer entry: lang_fuzz <corpus folder>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "tests/lang/lang_fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (const char* failure = lang_test::CheckLanguageBytes({data, size})) {
    std::fprintf(stderr, "%s\n", failure);
    std::abort();
  }
  return 0;
}
