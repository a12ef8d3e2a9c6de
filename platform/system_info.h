// A description of the machine: operating system, processor and memory
// modules, as objects of named properties. The property names are those the
// comparison page has always received (Name, Caption, MaxClockSpeed,
// Capacity, ...); a property this system has no source for is present with
// a null value.
//
// The POSIX implementation (platform/sdl/system_info_posix.h) reads
// /etc/os-release, the kernel's release and machine, /proc/cpuinfo,
// /sys/devices/system/cpu, /proc/meminfo and the SMBIOS memory-device
// records; tests use fixture folders or platform/fake/fixed_system_info.h.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <variant>
#include <vector>

namespace platform {

// One property value. Empty means "no value at all"; Null "known to be
// absent"; ObjectRef and Array stand for values that have no text form;
// Unsupported for a kind of value the text conversion does not know.
struct EmptyValue {
  bool operator==(const EmptyValue&) const = default;
};
struct NullValue {
  bool operator==(const NullValue&) const = default;
};
struct ObjectRefValue {
  bool operator==(const ObjectRefValue&) const = default;
};
struct ArrayValue {
  bool operator==(const ArrayValue&) const = default;
};
struct UnsupportedValue {
  bool operator==(const UnsupportedValue&) const = default;
};

using PropertyValue =
    std::variant<EmptyValue, NullValue, int16_t, int32_t, float, double, std::string, bool, uint8_t,
                 ObjectRefValue, ArrayValue, UnsupportedValue>;

// Property name -> value; strings are UTF-8.
using PropertyObject = std::map<std::string, PropertyValue>;

enum class SystemClass { OperatingSystem, Processor, PhysicalMemory };

class SystemInfo {
 public:
  virtual ~SystemInfo() = default;
  // Every object of the class, in a stable order (memory modules by their
  // record number); none when nothing can be read.
  virtual std::vector<PropertyObject> Query(SystemClass which) = 0;
  // The kernel's release text (as `uname -r` prints it); empty when unknown.
  virtual std::string KernelRelease() = 0;
};

}  // namespace platform
