// libFuzzer entry: obj_fuzz <corpus folder>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "tests/scene/obj_fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (const char* failure = scene_test::CheckObjBytes({data, size})) {
    std::fprintf(stderr, "%s\n", failure);
    std::abort();
  }
  return 0;
}
