// The system description's text: property values as text, and the block of
// "OS-", "CPU-" and "Mem-<n>-" lines the result record carries.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/system_info.h"

namespace bench {

// null -> "<null>"; int16 -> "%hu (0x%hX)"; int32 -> "%d"; float and
// double -> "%10.4f"; string as it is; bool -> "TRUE"/"FALSE"; byte below 32
// -> "%hu (0x%hX)", otherwise "'%c' (%hu, 0x%hX)" (the character in
// Windows-1252); object references and arrays -> nothing; anything else,
// an empty value included -> "<conversion error>".
std::optional<std::string> VariantToText(const platform::PropertyValue& value);

// Each line starts with a line feed: "OS-<name>:<value>" for Name, Caption,
// BuildNumber, OSArchitecture, CSDVersion of the first OS object, a line
// feed, "CPU-<name>:<value>" for Name, MaxClockSpeed, Caption, ThreadCount,
// NumberOfLogicalProcessors, NumberOfCores of the first processor, a line
// feed, "Mem-<k>-<name>:<value>" for Manufacturer, SerialNumber,
// DeviceLocator, PartNumber, ConfiguredClockSpeed, Speed, Capacity of each
// module k, then "\nMemory:<count>\n". Missing objects and properties give
// empty values.
std::string BuildSystemInfoText(const std::vector<platform::PropertyObject>& os,
                                const std::vector<platform::PropertyObject>& processors,
                                const std::vector<platform::PropertyObject>& memory);

// Queries the three classes and builds the text.
std::string DescribeSystem(platform::SystemInfo& system);

// "major.minor.patch" from a kernel release such as "6.1.0-18-amd64";
// missing parts are 0; empty when the release does not start with a digit.
std::string OsVersionFromKernelRelease(const std::string& release);

}  // namespace bench
