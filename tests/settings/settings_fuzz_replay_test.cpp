#include <gtest/gtest.h>

#include "tests/settings/settings_fuzz_check.h"
#include "tests/settings/settings_test_util.h"

namespace {

using namespace settings_test;

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
