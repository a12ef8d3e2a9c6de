// The machine's description from the Windows interfaces, as Wine reports
// this machine: every property the comparison page expects is there, with
// values of the kind it expects.
#include <gtest/gtest.h>

#include "platform/fake/recording_debug_output.h"
#include "platform/win32/win32_system_info.h"

namespace {

using platform::PropertyObject;
using platform::SystemClass;

std::string Text(const PropertyObject& object, const char* name) {
  const auto* text = std::get_if<std::string>(&object.at(name));
  return text != nullptr ? *text : std::string();
}

int32_t Number(const PropertyObject& object, const char* name) {
  const auto* number = std::get_if<int32_t>(&object.at(name));
  return number != nullptr ? *number : -1;
}

TEST(Win32SystemInfoTest, OperatingSystemProcessorAndMemoryAreDescribed) {
  platform::fake::RecordingDebugOutput debug;
  platform::win32::Win32SystemInfo system;

  const auto os = system.Query(SystemClass::OperatingSystem);
  ASSERT_EQ(os.size(), 1u);
  EXPECT_TRUE(Text(os[0], "Caption").starts_with("Microsoft Windows")) << Text(os[0], "Caption");
  EXPECT_EQ(Text(os[0], "OSArchitecture"), "64-bit");
  const std::string release = system.KernelRelease();
  EXPECT_TRUE(release.ends_with("." + Text(os[0], "BuildNumber"))) << release;
  EXPECT_GT(std::stoll(Text(os[0], "TotalVisibleMemorySize")), 0);
  EXPECT_TRUE(os[0].contains("CSDVersion"));

  const auto cpu = system.Query(SystemClass::Processor);
  ASSERT_EQ(cpu.size(), 1u);
  EXPECT_FALSE(Text(cpu[0], "Name").empty());
  EXPECT_GE(Number(cpu[0], "NumberOfCores"), 1);
  EXPECT_GE(Number(cpu[0], "NumberOfLogicalProcessors"), Number(cpu[0], "NumberOfCores"));
  EXPECT_EQ(Number(cpu[0], "ThreadCount"), Number(cpu[0], "NumberOfLogicalProcessors"));
  for (const char* name : {"MaxClockSpeed", "Caption"}) EXPECT_TRUE(cpu[0].contains(name));

  // This machine may expose no memory records; those it does are complete.
  for (const PropertyObject& module : system.Query(SystemClass::PhysicalMemory)) {
    EXPECT_EQ(module.size(), 7u);
  }
  EXPECT_EQ(debug.texts(), std::vector<std::string>(3, "Executed queryAnfrage\n"));
}

}  // namespace
