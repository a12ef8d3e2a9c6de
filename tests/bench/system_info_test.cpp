// The machine's description read from fixture folders laid out like /etc,
// /proc and /sys, through to the lines the result record carries.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "bench/system_info_text.h"
#include "platform/fake/recording_debug_output.h"
#include "platform/sdl/system_info_posix.h"
#include "tests/support/test_files.h"

namespace {

using test_support::WriteBytes;

// One SMBIOS memory-device record as the kernel shows it raw: a formatted
// area of 0x28 bytes, then its strings.
struct MemoryDevice {
  uint16_t size = 0;  // MB; bit 15: KB; 0x7FFF: extended size in MB
  uint32_t extendedSize = 0;
  uint16_t speed = 0;
  uint16_t configuredSpeed = 0;
  uint8_t locator = 0, manufacturer = 0, serial = 0, part = 0;  // string numbers
  std::vector<std::string> strings;
};

std::string Raw(const MemoryDevice& d) {
  std::string r(0x28, '\0');
  const auto put = [&r](size_t at, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) r[at + i] = static_cast<char>(value >> (8 * i) & 0xFF);
  };
  r[0] = 17;
  r[1] = 0x28;
  put(0x0C, d.size, 2);
  r[0x10] = static_cast<char>(d.locator);
  put(0x15, d.speed, 2);
  r[0x17] = static_cast<char>(d.manufacturer);
  r[0x18] = static_cast<char>(d.serial);
  r[0x1A] = static_cast<char>(d.part);
  put(0x1C, d.extendedSize, 4);
  put(0x20, d.configuredSpeed, 2);
  for (const std::string& s : d.strings) r += s + '\0';
  r += '\0';
  return r;
}

class SystemInfoTest : public ::testing::Test {
 protected:
  void Write(const std::string& relative, const std::string& bytes) {
    WriteBytes(folder_.path() / relative, bytes);
  }
  std::string Describe() {
    platform::sdl::PosixSystemInfo system(folder_.path());
    return bench::DescribeSystem(system);
  }
  test_support::ScratchFolder folder_;
};

TEST_F(SystemInfoTest, AMachineWithTwoModules) {
  Write("etc/os-release",
        "PRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\nNAME=\"Debian GNU/Linux\"\nID=debian\n");
  Write("proc/sys/kernel/osrelease", "6.1.0-18-amd64\n");
  Write("proc/sys/kernel/arch", "x86_64\n");
  const std::string block =
      "vendor_id\t: AuthenticAMD\ncpu family\t: 25\nmodel\t\t: 33\n"
      "model name\t: AMD Ryzen 7 5800X 8-Core Processor\nstepping\t: 0\n";
  Write("proc/cpuinfo", "processor\t: 0\n" + block + "\nprocessor\t: 1\n" + block + "\n");
  Write("sys/devices/system/cpu/cpu0/cpufreq/cpuinfo_max_freq", "4850000\n");
  // Two cores with two threads each in one package.
  for (int cpu = 0; cpu < 4; ++cpu) {
    const std::string topology = "sys/devices/system/cpu/cpu" + std::to_string(cpu) + "/topology/";
    Write(topology + "physical_package_id", "0\n");
    Write(topology + "core_id", std::to_string(cpu / 2) + "\n");
  }
  const std::string dmi = "sys/firmware/dmi/entries/";
  MemoryDevice first;
  first.size = 8192;
  first.speed = 3200;
  first.configuredSpeed = 2933;
  first.locator = 1;
  first.manufacturer = 3;
  first.serial = 4;
  first.part = 5;
  first.strings = {"DIMM A1", "BANK 0", "Kingston", "1A2B3C4D", "KF432C16"};
  Write(dmi + "17-0/raw", Raw(first));
  MemoryDevice empty;  // an empty slot is no module
  empty.locator = 1;
  empty.strings = {"DIMM A2"};
  Write(dmi + "17-2/raw", Raw(empty));
  Write(dmi + "17-3/raw", std::string("\x11\x28\x00", 3));  // cut short
  MemoryDevice second;  // extended size, unknown speeds and maker
  second.size = 0x7FFF;
  second.extendedSize = 32768;
  second.locator = 1;
  second.strings = {"DIMM B1"};
  Write(dmi + "17-10/raw", Raw(second));
  Write(dmi + "16-0/raw", "\x10\x17");

  const platform::fake::RecordingDebugOutput debug;
  EXPECT_EQ(Describe(),
            "\nOS-Name:Debian GNU/Linux\nOS-Caption:Debian GNU/Linux 12 (bookworm)"
            "\nOS-BuildNumber:6.1.0-18-amd64\nOS-OSArchitecture:64-bit\nOS-CSDVersion:<null>\n"
            "\nCPU-Name:AMD Ryzen 7 5800X 8-Core Processor\nCPU-MaxClockSpeed:4850"
            "\nCPU-Caption:x86_64 Family 25 Model 33 Stepping 0\nCPU-ThreadCount:4"
            "\nCPU-NumberOfLogicalProcessors:4\nCPU-NumberOfCores:2\n"
            "\nMem-0-Manufacturer:Kingston\nMem-0-SerialNumber:1A2B3C4D"
            "\nMem-0-DeviceLocator:DIMM A1\nMem-0-PartNumber:KF432C16"
            "\nMem-0-ConfiguredClockSpeed:2933\nMem-0-Speed:3200\nMem-0-Capacity:8589934592"
            "\nMem-1-Manufacturer:<null>\nMem-1-SerialNumber:<null>"
            "\nMem-1-DeviceLocator:DIMM B1\nMem-1-PartNumber:<null>"
            "\nMem-1-ConfiguredClockSpeed:<null>\nMem-1-Speed:<null>\nMem-1-Capacity:34359738368"
            "\nMemory:2\n");
  EXPECT_EQ(debug.texts(), std::vector<std::string>(3, "Executed queryAnfrage\n"));
}

// Nothing readable: the OS lines say null, the processor lines are empty
// and no module is counted.
TEST_F(SystemInfoTest, AnEmptyRootDescribesNothing) {
  EXPECT_EQ(Describe(),
            "\nOS-Name:<null>\nOS-Caption:<null>\nOS-BuildNumber:<null>"
            "\nOS-OSArchitecture:<null>\nOS-CSDVersion:<null>\n"
            "\nCPU-Name:\nCPU-MaxClockSpeed:\nCPU-Caption:\nCPU-ThreadCount:"
            "\nCPU-NumberOfLogicalProcessors:\nCPU-NumberOfCores:\n"
            "\nMemory:0\n");
}

// Without cpufreq and topology (as on this machine) the processor count
// comes from /proc/cpuinfo and the clock and cores are null.
TEST_F(SystemInfoTest, ProcessorWithoutSysFolders) {
  Write("proc/cpuinfo", "processor\t: 0\nmodel name\t: AMD EPYC\n\nprocessor\t: 1\n\n");
  const std::string text = Describe();
  EXPECT_NE(text.find("\nCPU-Name:AMD EPYC\nCPU-MaxClockSpeed:<null>\nCPU-Caption:<null>"
                      "\nCPU-ThreadCount:2\nCPU-NumberOfLogicalProcessors:2"
                      "\nCPU-NumberOfCores:<null>\n"),
            std::string::npos)
      << text;
}

TEST_F(SystemInfoTest, ThisMachineHasAnOsAndAProcessor) {
  platform::sdl::PosixSystemInfo system;
  EXPECT_FALSE(system.KernelRelease().empty());
  EXPECT_FALSE(bench::OsVersionFromKernelRelease(system.KernelRelease()).empty());
  ASSERT_EQ(system.Query(platform::SystemClass::OperatingSystem).size(), 1u);
  EXPECT_EQ(system.Query(platform::SystemClass::Processor).size(), 1u);
}

}  // namespace
