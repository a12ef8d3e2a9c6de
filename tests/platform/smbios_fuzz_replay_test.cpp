#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/smbios_memory.h"
#include "tests/platform/smbios_fuzz_check.h"
#include "tests/support/test_files.h"

namespace {

std::string Property(const platform::PropertyObject& module, const char* name) {
  const auto& value = module.at(name);
  if (const auto* text = std::get_if<std::string>(&value)) return *text;
  if (const auto* number = std::get_if<int32_t>(&value)) return std::to_string(*number);
  return "<null>";
}

TEST(SmbiosFuzzTest, SeedCorpusKeepsEveryProperty) {
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(MG_SMBIOS_CORPUS)) {
    std::ifstream in(entry.path(), std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                     std::istreambuf_iterator<char>()};
    const char* failure = platform_test::CheckMemoryDeviceBytes(bytes);
    EXPECT_EQ(failure, nullptr) << entry.path() << ": " << failure;
    ++files;
  }
  EXPECT_GT(files, 0);
}

// Sizes in kilobytes or as the extended size in megabytes, speeds beyond
// 65534 MT/s in the extended fields, an older record without the configured
// speed, string numbers outside the set.
TEST(SmbiosFuzzTest, SeedsReadAsTheirFieldsSay) {
  const struct {
    const char* seed;
    const char* capacity;
    const char* speed;
    const char* configured;
    const char* manufacturer;
  } cases[] = {{"module-v28", "17179869184", "3200", "2933", "Samsung"},
               {"module-v33-extended", "68719476736", "8800", "8000", "Samsung"},
               {"module-kilobytes", "524288", "800", "<null>", "Samsung"},
               {"strings-beyond-set", "4294967296", "2400", "<null>", "<null>"}};
  for (const auto& c : cases) {
    const auto module = platform::ParseMemoryDevice(
        test_support::ReadBytes(std::filesystem::path(MG_SMBIOS_CORPUS) / c.seed));
    ASSERT_TRUE(module.has_value()) << c.seed;
    EXPECT_EQ(Property(*module, "Capacity"), c.capacity) << c.seed;
    EXPECT_EQ(Property(*module, "Speed"), c.speed) << c.seed;
    EXPECT_EQ(Property(*module, "ConfiguredClockSpeed"), c.configured) << c.seed;
    EXPECT_EQ(Property(*module, "Manufacturer"), c.manufacturer) << c.seed;
  }
  for (const char* refused : {"cut-short", "empty-slot"}) {
    EXPECT_FALSE(platform::ParseMemoryDevice(
                     test_support::ReadBytes(std::filesystem::path(MG_SMBIOS_CORPUS) / refused))
                     .has_value())
        << refused;
  }
}

}  // namespace
