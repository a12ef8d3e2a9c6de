#include <gtest/gtest.h>

#include "tests/settings/settings_fuzz_check.h"
#include "tests/support/test_files.h"

namespace {

namespace fs = std::filesystem;
using settings_test::CheckSettingsBytes;
using test_support::ReadBytes;

TEST(SettingsFuzzTest, SeedCorpusKeepsEveryProperty) {
  int files = 0;
  for (const auto& entry : fs::directory_iterator(MG_SETTINGS_CORPUS)) {
    const char* failure = CheckSettingsBytes(ReadBytes(entry.path()));
    EXPECT_EQ(failure, nullptr) << entry.path() << ": " << failure;
    ++files;
  }
  EXPECT_GT(files, 0);
}

}  // namespace
