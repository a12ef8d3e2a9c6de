#include "bench/system_info_text.h"

#include <cstdio>

#include "bench/fixed_text.h"
#include "platform/text_codec.h"

namespace bench {
namespace {

using platform::PropertyObject;

std::string UnsignedWithHex(unsigned value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%u (0x%X)", value, value);
  return buffer;
}

std::string ByteText(uint8_t value) {
  if (value < 32) return UnsignedWithHex(value);
  const std::string character =
      platform::Utf16ToUtf8(platform::Windows1252ToUtf16(std::string(1, static_cast<char>(value))));
  char numbers[32];
  std::snprintf(numbers, sizeof numbers, " (%u, 0x%X)", value, value);
  return "'" + character + "'" + numbers;
}

struct TextOf {
  std::optional<std::string> operator()(const platform::EmptyValue&) const {
    return "<conversion error>";
  }
  std::optional<std::string> operator()(const platform::NullValue&) const { return "<null>"; }
  std::optional<std::string> operator()(int16_t v) const {
    return UnsignedWithHex(static_cast<uint16_t>(v));
  }
  std::optional<std::string> operator()(int32_t v) const { return std::to_string(v); }
  std::optional<std::string> operator()(float v) const { return FormatFixed(v, 4, 10); }
  std::optional<std::string> operator()(double v) const { return FormatFixed(v, 4, 10); }
  std::optional<std::string> operator()(const std::string& v) const { return v; }
  std::optional<std::string> operator()(bool v) const { return v ? "TRUE" : "FALSE"; }
  std::optional<std::string> operator()(uint8_t v) const { return ByteText(v); }
  std::optional<std::string> operator()(const platform::ObjectRefValue&) const {
    return std::nullopt;
  }
  std::optional<std::string> operator()(const platform::ArrayValue&) const { return std::nullopt; }
  std::optional<std::string> operator()(const platform::UnsupportedValue&) const {
    return "<conversion error>";
  }
};

std::string PropertyText(const PropertyObject& object, const char* name) {
  const auto it = object.find(name);
  if (it == object.end()) return {};
  return VariantToText(it->second).value_or(std::string());
}

void AddLines(std::string& text, const std::string& prefix,
              const std::vector<PropertyObject>& objects, size_t index,
              std::initializer_list<const char*> names) {
  static const PropertyObject kNone;
  const PropertyObject& object = index < objects.size() ? objects[index] : kNone;
  for (const char* name : names) text += "\n" + prefix + name + ":" + PropertyText(object, name);
}

}  // namespace

std::optional<std::string> VariantToText(const platform::PropertyValue& value) {
  return std::visit(TextOf{}, value);
}

std::string BuildSystemInfoText(const std::vector<PropertyObject>& os,
                                const std::vector<PropertyObject>& processors,
                                const std::vector<PropertyObject>& memory) {
  std::string text;
  AddLines(text, "OS-", os, 0, {"Name", "Caption", "BuildNumber", "OSArchitecture", "CSDVersion"});
  text += "\n";
  AddLines(text, "CPU-", processors, 0,
           {"Name", "MaxClockSpeed", "Caption", "ThreadCount", "NumberOfLogicalProcessors",
            "NumberOfCores"});
  text += "\n";
  for (size_t k = 0; k < memory.size(); ++k) {
    AddLines(text, "Mem-" + std::to_string(k) + "-", memory, k,
             {"Manufacturer", "SerialNumber", "DeviceLocator", "PartNumber", "ConfiguredClockSpeed",
              "Speed", "Capacity"});
  }
  text += "\nMemory:" + std::to_string(memory.size()) + "\n";
  return text;
}

std::string DescribeSystem(platform::SystemInfo& system) {
  const auto os = system.Query(platform::SystemClass::OperatingSystem);
  const auto processors = system.Query(platform::SystemClass::Processor);
  const auto memory = system.Query(platform::SystemClass::PhysicalMemory);
  return BuildSystemInfoText(os, processors, memory);
}

std::string OsVersionFromKernelRelease(const std::string& release) {
  if (release.empty() || release[0] < '0' || release[0] > '9') return {};
  long parts[3] = {0, 0, 0};
  size_t i = 0;
  for (int part = 0; part < 3; ++part) {
    long value = 0;
    for (; i < release.size() && release[i] >= '0' && release[i] <= '9'; ++i) {
      if (value < 1000000000) value = value * 10 + (release[i] - '0');
    }
    parts[part] = value;
    if (i + 1 >= release.size() || release[i] != '.' || release[i + 1] < '0' ||
        release[i + 1] > '9')
      break;
    ++i;
  }
  return std::to_string(parts[0]) + "." + std::to_string(parts[1]) + "." + std::to_string(parts[2]);
}

}  // namespace bench
