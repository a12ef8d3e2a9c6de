// libFuzzer entry: wav_fuzz <corpus folder>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "tests/sound/wav_fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (const char* failure = sound_test::CheckWavBytes({data, size})) {
    std::fprintf(stderr, "%s\n", failure);
    std::abort();
  }
  return 0;
}
