// The machine's description as text: the value conversions, the line block
// and the version number from the kernel release.
#include "bench/system_info_text.h"

#include <gtest/gtest.h>

namespace {

using platform::PropertyValue;

TEST(SystemInfoTextTest, ValuesConvertByTheirKind) {
  const struct {
    PropertyValue value;
    std::optional<std::string> text;
  } cases[] = {
      {platform::NullValue{}, "<null>"},
      {int16_t{42}, "42 (0x2A)"},
      {int16_t{-1}, "65535 (0xFFFF)"},
      {int32_t{-7}, "-7"},
      {2.5f, "    2.5000"},
      {3600.0, " 3600.0000"},
      {std::string("Kingston"), "Kingston"},
      {true, "TRUE"},
      {false, "FALSE"},
      {uint8_t{65}, "'A' (65, 0x41)"},
      {uint8_t{9}, "9 (0x9)"},
      {uint8_t{0xE9}, "'\xC3\xA9' (233, 0xE9)"},  // é in Windows-1252
      {platform::ObjectRefValue{}, std::nullopt},
      {platform::ArrayValue{}, std::nullopt},
      {platform::EmptyValue{}, "<conversion error>"},
      {platform::UnsupportedValue{}, "<conversion error>"},
  };
  for (const auto& c : cases) EXPECT_EQ(bench::VariantToText(c.value), c.text) << c.value.index();
}

TEST(SystemInfoTextTest, LinesFollowTheFixedOrderWithEmptyValuesForWhatIsMissing) {
  const std::vector<platform::PropertyObject> os = {
      {{"Name", std::string("Debian GNU/Linux")}, {"CSDVersion", platform::NullValue{}}}};
  const std::vector<platform::PropertyObject> memory = {
      {{"Capacity", std::string("8589934592")}, {"Speed", int32_t{3200}}}};
  EXPECT_EQ(bench::BuildSystemInfoText(os, {}, memory),
            "\nOS-Name:Debian GNU/Linux\nOS-Caption:\nOS-BuildNumber:\nOS-OSArchitecture:"
            "\nOS-CSDVersion:<null>\n"
            "\nCPU-Name:\nCPU-MaxClockSpeed:\nCPU-Caption:\nCPU-ThreadCount:"
            "\nCPU-NumberOfLogicalProcessors:\nCPU-NumberOfCores:\n"
            "\nMem-0-Manufacturer:\nMem-0-SerialNumber:\nMem-0-DeviceLocator:\nMem-0-PartNumber:"
            "\nMem-0-ConfiguredClockSpeed:\nMem-0-Speed:3200\nMem-0-Capacity:8589934592"
            "\nMemory:1\n");
}

TEST(SystemInfoTextTest, OsVersionTakesThreeNumbersOfTheKernelRelease) {
  const struct {
    const char* release;
    const char* version;
  } cases[] = {{"6.1.0-18-amd64", "6.1.0"},
               {"6.18.44-fc-v1523", "6.18.44"},
               {"5.10", "5.10.0"},
               {"4.19.0.7-rt", "4.19.0"},
               {"6.", "6.0.0"},
               {"", ""},
               {"linux-6.1", ""}};
  for (const auto& c : cases)
    EXPECT_EQ(bench::OsVersionFromKernelRelease(c.release), c.version) << c.release;
}

}  // namespace
