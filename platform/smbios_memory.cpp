#include "platform/smbios_memory.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platform {
namespace {

constexpr uint8_t kMemoryDeviceType = 17;

// Offsets in the formatted area.
constexpr size_t kSize = 0x0C;
constexpr size_t kDeviceLocator = 0x10;
constexpr size_t kSpeed = 0x15;
constexpr size_t kManufacturer = 0x17;
constexpr size_t kSerialNumber = 0x18;
constexpr size_t kPartNumber = 0x1A;
constexpr size_t kExtendedSize = 0x1C;
constexpr size_t kConfiguredSpeed = 0x20;
constexpr size_t kExtendedSpeed = 0x54;
constexpr size_t kExtendedConfiguredSpeed = 0x58;

class Record {
 public:
  Record(std::string_view raw, size_t length) : raw_(raw), length_(length) {
    // The string set follows the formatted area: NUL-terminated strings,
    // numbered from 1, ended by an empty one.
    size_t at = length;
    while (at < raw.size()) {
      const size_t end = raw.find('\0', at);
      if (end == std::string_view::npos || end == at) break;
      strings_.push_back(raw.substr(at, end - at));
      at = end + 1;
    }
  }

  bool Has(size_t offset, size_t bytes) const { return offset + bytes <= length_; }

  uint32_t Read(size_t offset, size_t bytes) const {
    uint32_t value = 0;
    for (size_t i = 0; i < bytes; ++i)
      value |= static_cast<uint32_t>(static_cast<uint8_t>(raw_[offset + i])) << (8 * i);
    return value;
  }

  PropertyValue String(size_t offset) const {
    if (!Has(offset, 1)) return NullValue{};
    const uint32_t number = Read(offset, 1);
    if (number == 0 || number > strings_.size()) return NullValue{};
    return std::string(strings_[number - 1]);
  }

  // A speed word: 0 unknown; 0xFFFF points to the double word at `extended`.
  PropertyValue Speed(size_t offset, size_t extended) const {
    if (!Has(offset, 2)) return NullValue{};
    uint32_t speed = Read(offset, 2);
    if (speed == 0xFFFF) speed = Has(extended, 4) ? Read(extended, 4) : 0;
    if (speed == 0 || speed > INT32_MAX) return NullValue{};
    return static_cast<int32_t>(speed);
  }

 private:
  std::string_view raw_;
  size_t length_;
  std::vector<std::string_view> strings_;
};

}  // namespace

std::optional<PropertyObject> ParseMemoryDevice(std::string_view raw) {
  if (raw.size() < 2 || static_cast<uint8_t>(raw[0]) != kMemoryDeviceType) return std::nullopt;
  const size_t length = static_cast<uint8_t>(raw[1]);
  if (length < kSize + 2 || length > raw.size()) return std::nullopt;
  const Record record(raw, length);

  const uint32_t size = record.Read(kSize, 2);
  if (size == 0) return std::nullopt;
  PropertyValue capacity = NullValue{};
  if (size == 0x7FFF && record.Has(kExtendedSize, 4)) {
    const uint64_t megabytes = record.Read(kExtendedSize, 4) & 0x7FFFFFFFu;
    capacity = std::to_string(megabytes << 20);
  } else if (size != 0xFFFF && size != 0x7FFF) {
    // Bit 15 set: the size is in kilobytes, otherwise in megabytes.
    const uint64_t amount = size & 0x7FFFu;
    capacity = std::to_string((size & 0x8000u) != 0 ? amount << 10 : amount << 20);
  }

  PropertyObject module;
  module["Manufacturer"] = record.String(kManufacturer);
  module["SerialNumber"] = record.String(kSerialNumber);
  module["DeviceLocator"] = record.String(kDeviceLocator);
  module["PartNumber"] = record.String(kPartNumber);
  module["ConfiguredClockSpeed"] = record.Speed(kConfiguredSpeed, kExtendedConfiguredSpeed);
  module["Speed"] = record.Speed(kSpeed, kExtendedSpeed);
  module["Capacity"] = capacity;
  return module;
}

std::vector<PropertyObject> ParseMemoryDevices(std::string_view table) {
  constexpr uint8_t kEndOfTable = 127;
  constexpr size_t kHeaderBytes = 4;  // type, length, handle
  std::vector<PropertyObject> modules;
  size_t at = 0;
  while (at + kHeaderBytes <= table.size()) {
    const auto type = static_cast<uint8_t>(table[at]);
    const size_t length = static_cast<uint8_t>(table[at + 1]);
    if (length < kHeaderBytes || at + length > table.size()) break;
    const size_t stringsEnd = table.find(std::string_view("\0\0", 2), at + length);
    if (stringsEnd == std::string_view::npos) break;
    const size_t next = stringsEnd + 2;
    if (type == kMemoryDeviceType) {
      if (auto module = ParseMemoryDevice(table.substr(at, next - at))) {
        modules.push_back(std::move(*module));
      }
    }
    if (type == kEndOfTable) break;
    at = next;
  }
  return modules;
}

}  // namespace platform
