#include "platform/win32/win32_system_info.h"

#include <windows.h>

#include <bit>
#include <optional>

#include "platform/debug_output.h"
#include "platform/smbios_memory.h"
#include "platform/win32/wide_text.h"

namespace platform::win32 {
namespace {

using RtlGetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOEXW*);

std::optional<OSVERSIONINFOEXW> OsVersion() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  const auto get = reinterpret_cast<RtlGetVersionFunction>(
      reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")));
  OSVERSIONINFOEXW version{};
  version.dwOSVersionInfoSize = sizeof(version);
  if (get == nullptr || get(&version) != 0) return std::nullopt;
  return version;
}

std::string Trim(std::string text) {
  const size_t begin = text.find_first_not_of(' ');
  const size_t end = text.find_last_not_of(' ');
  return begin == std::string::npos ? std::string() : text.substr(begin, end - begin + 1);
}

std::optional<std::string> RegistryText(const wchar_t* key, const wchar_t* name) {
  DWORD bytes = 0;
  if (RegGetValueW(HKEY_LOCAL_MACHINE, key, name, RRF_RT_REG_SZ, nullptr, nullptr, &bytes) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  std::wstring text(bytes / sizeof(wchar_t), L'\0');
  if (RegGetValueW(HKEY_LOCAL_MACHINE, key, name, RRF_RT_REG_SZ, nullptr, text.data(), &bytes) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  text.resize(wcslen(text.c_str()));
  return Trim(Utf8(text));
}

std::optional<DWORD> RegistryNumber(const wchar_t* key, const wchar_t* name) {
  DWORD value = 0;
  DWORD bytes = sizeof(value);
  if (RegGetValueW(HKEY_LOCAL_MACHINE, key, name, RRF_RT_REG_DWORD, nullptr, &value, &bytes) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  return value;
}

PropertyValue TextOrNull(const std::optional<std::string>& text) {
  if (!text || text->empty()) return NullValue{};
  return *text;
}

// The product name says "Windows 10" on Windows 11 too; the build tells.
std::string ProductCaption(std::string product, DWORD build) {
  constexpr std::string_view kTen = "Windows 10";
  if (build >= 22000 && product.find(kTen) != std::string::npos) {
    product.replace(product.find(kTen), kTen.size(), "Windows 11");
  }
  return product.starts_with("Microsoft ") ? product : "Microsoft " + product;
}

PropertyObject QueryOs() {
  const std::optional<OSVERSIONINFOEXW> version = OsVersion();
  const std::optional<std::string> product =
      RegistryText(L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", L"ProductName");
  PropertyObject os;
  os["Name"] = NullValue{};
  os["Caption"] = NullValue{};
  if (product && version) {
    os["Caption"] = ProductCaption(*product, version->dwBuildNumber);
    os["Name"] = os["Caption"];
  }
  os["BuildNumber"] =
      version ? PropertyValue(std::to_string(version->dwBuildNumber)) : PropertyValue(NullValue{});
  SYSTEM_INFO system{};
  GetNativeSystemInfo(&system);
  const WORD arch = system.wProcessorArchitecture;
  os["OSArchitecture"] = arch == PROCESSOR_ARCHITECTURE_AMD64 ||
                                 arch == PROCESSOR_ARCHITECTURE_ARM64 ||
                                 arch == PROCESSOR_ARCHITECTURE_IA64
                             ? "64-bit"
                             : "32-bit";
  os["CSDVersion"] = version && version->szCSDVersion[0] != L'\0'
                         ? PropertyValue(Utf8(version->szCSDVersion))
                         : PropertyValue(NullValue{});
  MEMORYSTATUSEX memory{};
  memory.dwLength = sizeof(memory);
  // Kilobytes, as text: the value does not fit the 32-bit numbers.
  os["TotalVisibleMemorySize"] = GlobalMemoryStatusEx(&memory)
                                     ? PropertyValue(std::to_string(memory.ullTotalPhys / 1024))
                                     : PropertyValue(NullValue{});
  return os;
}

struct Topology {
  int cores = 0;
  int logical = 0;
};

// Cores and logical processors of the first package, as the first processor
// object counts them.
Topology FirstPackage() {
  DWORD bytes = 0;
  GetLogicalProcessorInformationEx(RelationAll, nullptr, &bytes);
  std::string buffer(bytes, '\0');
  auto* first = reinterpret_cast<SYSTEM_LOGICAL_PROCESSOR_INFORMATION_EX*>(buffer.data());
  Topology topology;
  if (bytes == 0 || !GetLogicalProcessorInformationEx(RelationAll, first, &bytes)) return topology;
  std::optional<PROCESSOR_RELATIONSHIP> package;
  for (DWORD at = 0; at < bytes;) {
    const auto* entry =
        reinterpret_cast<const SYSTEM_LOGICAL_PROCESSOR_INFORMATION_EX*>(buffer.data() + at);
    if (entry->Relationship == RelationProcessorPackage && !package) package = entry->Processor;
    at += entry->Size;
  }
  if (!package) return topology;
  const auto inPackage = [&](const GROUP_AFFINITY& core) {
    for (WORD g = 0; g < package->GroupCount; ++g) {
      const GROUP_AFFINITY& mask = package->GroupMask[g];
      if (mask.Group == core.Group && (mask.Mask & core.Mask) != 0) return true;
    }
    return false;
  };
  for (DWORD at = 0; at < bytes;) {
    const auto* entry =
        reinterpret_cast<const SYSTEM_LOGICAL_PROCESSOR_INFORMATION_EX*>(buffer.data() + at);
    if (entry->Relationship == RelationProcessorCore && inPackage(entry->Processor.GroupMask[0])) {
      ++topology.cores;
      topology.logical += std::popcount(entry->Processor.GroupMask[0].Mask);
    }
    at += entry->Size;
  }
  return topology;
}

std::vector<PropertyObject> QueryProcessor() {
  constexpr const wchar_t* kKey = L"HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0";
  PropertyObject cpu;
  cpu["Name"] = TextOrNull(RegistryText(kKey, L"ProcessorNameString"));
  const std::optional<DWORD> megahertz = RegistryNumber(kKey, L"~MHz");
  cpu["MaxClockSpeed"] =
      megahertz ? PropertyValue(static_cast<int32_t>(*megahertz)) : PropertyValue(NullValue{});
  // "Intel64 Family 6 Model 158 Stepping 10", as the caption always read.
  cpu["Caption"] = TextOrNull(RegistryText(kKey, L"Identifier"));
  const Topology topology = FirstPackage();
  const auto count = [](int n) {
    return n > 0 ? PropertyValue(int32_t{n}) : PropertyValue(NullValue{});
  };
  cpu["ThreadCount"] = count(topology.logical);
  cpu["NumberOfLogicalProcessors"] = count(topology.logical);
  cpu["NumberOfCores"] = count(topology.cores);
  return {cpu};
}

std::vector<PropertyObject> QueryMemory() {
  constexpr DWORD kRawSmbios = 'R' << 24 | 'S' << 16 | 'M' << 8 | 'B';
  // The table follows an 8-byte header: calling method, versions, length.
  constexpr size_t kHeaderBytes = 8;
  const UINT bytes = GetSystemFirmwareTable(kRawSmbios, 0, nullptr, 0);
  std::string data(bytes, '\0');
  if (bytes <= kHeaderBytes || GetSystemFirmwareTable(kRawSmbios, 0, data.data(), bytes) != bytes) {
    return {};
  }
  return ParseMemoryDevices(std::string_view(data).substr(kHeaderBytes));
}

}  // namespace

std::vector<PropertyObject> Win32SystemInfo::Query(SystemClass which) {
  DebugOutput("Executed queryAnfrage\n");
  switch (which) {
    case SystemClass::OperatingSystem:
      return {QueryOs()};
    case SystemClass::Processor:
      return QueryProcessor();
    case SystemClass::PhysicalMemory:
      return QueryMemory();
  }
  return {};
}

std::string Win32SystemInfo::KernelRelease() {
  const std::optional<OSVERSIONINFOEXW> version = OsVersion();
  if (!version) return {};
  return std::to_string(version->dwMajorVersion) + "." + std::to_string(version->dwMinorVersion) +
         "." + std::to_string(version->dwBuildNumber);
}

}  // namespace platform::win32
