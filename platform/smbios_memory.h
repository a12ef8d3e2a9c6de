// SMBIOS memory-device records (structure type 17), as the kernel exposes
// them raw under /sys/firmware/dmi/entries/17-*/raw: the formatted area
// followed by its string set.
#pragma once

#include <optional>
#include <string_view>

#include "platform/system_info.h"

namespace platform {

// The record as a memory-module object: Manufacturer, SerialNumber,
// DeviceLocator, PartNumber (strings), ConfiguredClockSpeed and Speed
// (MT/s), Capacity (bytes, as decimal text). A value the record leaves
// unknown is null. Nothing for a record that is not type 17, is cut short,
// or describes an empty slot.
std::optional<PropertyObject> ParseMemoryDevice(std::string_view raw);

}  // namespace platform
