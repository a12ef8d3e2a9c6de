// The memory modules of a whole SMBIOS structure table, as Windows hands it
// over: the records around them skipped, empty slots left out, the walk ended
// by the end-of-table record or a record cut short.
#include <gtest/gtest.h>

#include "platform/smbios_memory.h"
#include "tests/support/test_files.h"

namespace {

std::string Seed(const char* name) {
  return test_support::ReadBytes(std::filesystem::path(MG_SMBIOS_CORPUS) / name);
}

std::string Capacity(const platform::PropertyObject& module) {
  return std::get<std::string>(module.at("Capacity"));
}

TEST(SmbiosTableTest, ModulesAreReadInTableOrder) {
  // A BIOS record with one string, a memory array record without strings.
  const std::string bios = std::string("\x00\x05\x00\x00\x01", 5) + "Vendor" + std::string(2, '\0');
  const std::string array = std::string("\x10\x06\x01\x00\x03\x03", 6) + std::string(2, '\0');
  const std::string end = std::string("\x7F\x04\xFF\xFF", 4) + std::string(2, '\0');
  const std::string table = bios + array + Seed("module-v28") + Seed("empty-slot") +
                            Seed("module-kilobytes") + end + Seed("module-v33-extended");
  const auto modules = platform::ParseMemoryDevices(table);
  ASSERT_EQ(modules.size(), 2u);
  EXPECT_EQ(Capacity(modules[0]), "17179869184");
  EXPECT_EQ(Capacity(modules[1]), "524288");

  // Cut inside the third record: the two before it still count.
  const std::string cut = Seed("module-v28") + Seed("module-kilobytes") + Seed("module-v28");
  EXPECT_EQ(platform::ParseMemoryDevices(cut.substr(0, cut.size() - 3)).size(), 2u);
  EXPECT_TRUE(platform::ParseMemoryDevices("").empty());
  // A length below the header's own size would never move on.
  EXPECT_TRUE(platform::ParseMemoryDevices(std::string("\x11\x02\x00\x00\x00\x00", 6)).empty());
}

}  // namespace
