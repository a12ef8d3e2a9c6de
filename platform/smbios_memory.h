// SMBIOS memory-device records (structure type 17), as the kernel exposes
// them raw under /sys/firmware/dmi/entries/17-*/raw: the formatted area
// followed by its string set; and the whole structure table, as Windows
// gives it (GetSystemFirmwareTable).
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "platform/system_info.h"

namespace platform {

// The record as a memory-module object: Manufacturer, SerialNumber,
// DeviceLocator, PartNumber (strings), ConfiguredClockSpeed and Speed
// (MT/s), Capacity (bytes, as decimal text). A value the record leaves
// unknown is null. Nothing for a record that is not type 17, is cut short,
// or describes an empty slot.
std::optional<PropertyObject> ParseMemoryDevice(std::string_view raw);

// Every memory module of a structure table (records one after the other,
// each its formatted area and a string set ended by two NULs), in table
// order, read by ParseMemoryDevice. The walk ends at the end-of-table record
// (type 127) or where a record is cut short.
std::vector<PropertyObject> ParseMemoryDevices(std::string_view table);

}  // namespace platform
