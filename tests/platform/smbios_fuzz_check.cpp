#include "tests/platform/smbios_fuzz_check.h"

#include <algorithm>
#include <string_view>

#include "platform/smbios_memory.h"

namespace platform_test {

const char* CheckMemoryDeviceBytes(std::span<const uint8_t> bytes) {
  const std::string_view raw(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  const auto module = platform::ParseMemoryDevice(raw);
  if (!module) return nullptr;
  if (module->size() != 7) return "a module has exactly the seven properties";
  for (const char* name : {"Manufacturer", "SerialNumber", "DeviceLocator", "PartNumber"}) {
    const auto it = module->find(name);
    if (it == module->end()) return "a string property is missing";
    const auto* text = std::get_if<std::string>(&it->second);
    if (text == nullptr && !std::holds_alternative<platform::NullValue>(it->second))
      return "a string property is neither text nor null";
    if (text != nullptr && (text->empty() || text->size() > raw.size()))
      return "a string comes from outside the record";
  }
  for (const char* name : {"ConfiguredClockSpeed", "Speed"}) {
    const auto it = module->find(name);
    if (it == module->end()) return "a speed is missing";
    const auto* speed = std::get_if<int32_t>(&it->second);
    if (speed == nullptr && !std::holds_alternative<platform::NullValue>(it->second))
      return "a speed is neither a number nor null";
    if (speed != nullptr && *speed <= 0) return "a known speed is positive";
  }
  const auto capacity = module->find("Capacity");
  if (capacity == module->end()) return "the capacity is missing";
  if (const auto* text = std::get_if<std::string>(&capacity->second)) {
    if (text->empty() ||
        !std::all_of(text->begin(), text->end(), [](char c) { return c >= '0' && c <= '9'; }))
      return "the capacity is decimal text";
  } else if (!std::holds_alternative<platform::NullValue>(capacity->second)) {
    return "the capacity is neither text nor null";
  }
  return nullptr;
}

}  // namespace platform_test
