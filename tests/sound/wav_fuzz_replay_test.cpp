#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "tests/sound/wav_fuzz_check.h"

namespace {

TEST(WavFuzzTest, SeedCorpusKeepsEveryProperty) {
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(MG_SOUND_CORPUS)) {
    std::ifstream in(entry.path(), std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                     std::istreambuf_iterator<char>()};
    const char* failure = sound_test::CheckWavBytes(bytes);
    EXPECT_EQ(failure, nullptr) << entry.path() << ": " << failure;
    ++files;
  }
  EXPECT_GT(files, 0);
}

}  // namespace
