#include "platform/sdl/system_info_posix.h"

#include <sys/utsname.h>

#include <algorithm>
#include <map>
#include <set>
#include <string_view>

#include "platform/debug_output.h"
#include "platform/file_io.h"
#include "platform/smbios_memory.h"

namespace platform::sdl {
namespace {

namespace fs = std::filesystem;

// Every file read here is a small text or record; anything larger is not
// what it claims to be.
constexpr size_t kMaxFileBytes = 1 << 20;

std::string ReadSmallFile(const fs::path& path) {
  FileBytes file = ReadFile(path, kMaxFileBytes);
  return file.status == ReadStatus::Ok ? std::move(file.bytes) : std::string();
}

std::string Trim(std::string_view text) {
  const size_t begin = text.find_first_not_of(" \t\r\n");
  if (begin == std::string_view::npos) return {};
  const size_t end = text.find_last_not_of(" \t\r\n");
  return std::string(text.substr(begin, end - begin + 1));
}

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    lines.push_back(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

// os-release values may be quoted; inside double quotes a backslash escapes
// the next character.
std::string Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    const char quote = value.front();
    value = value.substr(1, value.size() - 2);
    std::string out;
    for (size_t i = 0; i < value.size(); ++i) {
      if (quote == '"' && value[i] == '\\' && i + 1 < value.size()) ++i;
      out += value[i];
    }
    return out;
  }
  return std::string(value);
}

std::map<std::string, std::string> ParseOsRelease(std::string_view text) {
  std::map<std::string, std::string> values;
  for (const std::string_view line : Lines(text)) {
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos || line.starts_with('#')) continue;
    values[Trim(line.substr(0, eq))] = Unquote(Trim(line.substr(eq + 1)));
  }
  return values;
}

// "key : value" lines of the first block (up to the first blank line).
std::map<std::string, std::string> FirstCpuInfoBlock(std::string_view text) {
  std::map<std::string, std::string> values;
  for (const std::string_view line : Lines(text)) {
    if (Trim(line).empty()) {
      if (!values.empty()) break;
      continue;
    }
    const size_t colon = line.find(':');
    if (colon == std::string_view::npos) continue;
    values.emplace(Trim(line.substr(0, colon)), Trim(line.substr(colon + 1)));
  }
  return values;
}

int CountProcessorBlocks(std::string_view text) {
  int count = 0;
  for (const std::string_view line : Lines(text)) {
    const size_t colon = line.find(':');
    if (colon != std::string_view::npos && Trim(line.substr(0, colon)) == "processor") ++count;
  }
  return count;
}

bool ParseInt64(const std::string& text, int64_t& value) {
  if (text.empty() || text.size() > 18 ||
      !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return false;
  value = std::stoll(text);
  return true;
}

PropertyValue TextOrNull(const std::map<std::string, std::string>& values, const char* key) {
  const auto it = values.find(key);
  if (it == values.end() || it->second.empty()) return NullValue{};
  return it->second;
}

PropertyValue Int32OrNull(int64_t value) {
  if (value <= 0 || value > INT32_MAX) return NullValue{};
  return static_cast<int32_t>(value);
}

std::string Architecture(const std::string& machine) {
  static const std::set<std::string> k64 = {"x86_64",      "aarch64", "ppc64",  "ppc64le",
                                            "s390x",       "riscv64", "mips64", "sparc64",
                                            "loongarch64", "alpha",   "ia64"};
  if (machine.empty()) return {};
  if (k64.contains(machine)) return "64-bit";
  return "32-bit";
}

struct CpuTopology {
  int logical = 0;  // logical processors in cpu0's package
  int cores = 0;    // distinct cores in cpu0's package
};

CpuTopology ReadTopology(const fs::path& cpuFolder) {
  struct Entry {
    int64_t package = 0;
    int64_t core = 0;
  };
  std::vector<std::pair<int64_t, Entry>> cpus;
  std::error_code ec;
  for (fs::directory_iterator it(cpuFolder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    int64_t number = 0;
    if (!name.starts_with("cpu") || !ParseInt64(name.substr(3), number)) continue;
    Entry entry;
    const fs::path topology = it->path() / "topology";
    if (!ParseInt64(Trim(ReadSmallFile(topology / "physical_package_id")), entry.package) ||
        !ParseInt64(Trim(ReadSmallFile(topology / "core_id")), entry.core))
      continue;
    cpus.push_back({number, entry});
  }
  CpuTopology result;
  if (cpus.empty()) return result;
  std::sort(cpus.begin(), cpus.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  const int64_t package = cpus.front().second.package;
  std::set<int64_t> cores;
  for (const auto& [number, entry] : cpus) {
    if (entry.package != package) continue;
    ++result.logical;
    cores.insert(entry.core);
  }
  result.cores = static_cast<int>(cores.size());
  return result;
}

// The machine name as `uname -m` prints it.
std::string ReadMachine(const fs::path& root) {
  std::string machine = Trim(ReadSmallFile(root / "proc/sys/kernel/arch"));
  utsname names{};
  if (machine.empty() && root == "/" && uname(&names) == 0) machine = names.machine;
  return machine;
}

PropertyObject QueryOs(const fs::path& root, const std::string& kernel) {
  std::string osRelease = ReadSmallFile(root / "etc/os-release");
  if (osRelease.empty()) osRelease = ReadSmallFile(root / "usr/lib/os-release");
  const auto release = ParseOsRelease(osRelease);
  PropertyObject os;
  os["Name"] = TextOrNull(release, "NAME");
  os["Caption"] = TextOrNull(release, "PRETTY_NAME");
  os["BuildNumber"] = kernel.empty() ? PropertyValue(NullValue{}) : PropertyValue(kernel);
  const std::string architecture = Architecture(ReadMachine(root));
  os["OSArchitecture"] =
      architecture.empty() ? PropertyValue(NullValue{}) : PropertyValue(architecture);
  // Service packs do not exist here.
  os["CSDVersion"] = NullValue{};
  // MemTotal in kB, the unit this property has always had.
  const auto meminfo = FirstCpuInfoBlock(ReadSmallFile(root / "proc/meminfo"));
  const auto total = meminfo.find("MemTotal");
  int64_t kilobytes = 0;
  os["TotalVisibleMemorySize"] = NullValue{};
  if (total != meminfo.end() &&
      ParseInt64(total->second.substr(0, total->second.find(' ')), kilobytes))
    os["TotalVisibleMemorySize"] = std::to_string(kilobytes);
  return os;
}

std::vector<PropertyObject> QueryProcessor(const fs::path& root) {
  const std::string cpuInfo = ReadSmallFile(root / "proc/cpuinfo");
  const auto first = FirstCpuInfoBlock(cpuInfo);
  if (first.empty()) return {};
  const fs::path cpuFolder = root / "sys/devices/system/cpu";
  PropertyObject cpu;
  cpu["Name"] = TextOrNull(first, "model name");
  int64_t maxKhz = 0;
  cpu["MaxClockSpeed"] =
      ParseInt64(Trim(ReadSmallFile(cpuFolder / "cpu0/cpufreq/cpuinfo_max_freq")), maxKhz)
          ? Int32OrNull(maxKhz / 1000)
          : PropertyValue(NullValue{});
  const auto family = first.find("cpu family");
  const auto model = first.find("model");
  const auto stepping = first.find("stepping");
  cpu["Caption"] = NullValue{};
  if (family != first.end() && model != first.end() && stepping != first.end()) {
    const std::string arch = ReadMachine(root);
    cpu["Caption"] = (arch.empty() ? std::string() : arch + " ") + "Family " + family->second +
                     " Model " + model->second + " Stepping " + stepping->second;
  }
  CpuTopology topology = ReadTopology(cpuFolder);
  if (topology.logical == 0) topology.logical = CountProcessorBlocks(cpuInfo);
  cpu["ThreadCount"] = Int32OrNull(topology.logical);
  cpu["NumberOfLogicalProcessors"] = Int32OrNull(topology.logical);
  cpu["NumberOfCores"] = Int32OrNull(topology.cores);
  return {cpu};
}

std::vector<PropertyObject> QueryMemory(const fs::path& root) {
  std::vector<std::pair<int64_t, fs::path>> records;
  std::error_code ec;
  const fs::path entries = root / "sys/firmware/dmi/entries";
  for (fs::directory_iterator it(entries, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    int64_t instance = 0;
    if (name.starts_with("17-") && ParseInt64(name.substr(3), instance))
      records.push_back({instance, it->path() / "raw"});
  }
  std::sort(records.begin(), records.end());
  std::vector<PropertyObject> modules;
  for (const auto& [instance, path] : records) {
    if (auto module = ParseMemoryDevice(ReadSmallFile(path))) modules.push_back(*module);
  }
  return modules;
}

}  // namespace

std::string PosixSystemInfo::KernelRelease() {
  std::string release = Trim(ReadSmallFile(root_ / "proc/sys/kernel/osrelease"));
  utsname names{};
  if (release.empty() && root_ == "/" && uname(&names) == 0) release = names.release;
  return release;
}

std::vector<PropertyObject> PosixSystemInfo::Query(SystemClass which) {
  DebugOutput("Executed queryAnfrage\n");
  switch (which) {
    case SystemClass::OperatingSystem:
      return {QueryOs(root_, KernelRelease())};
    case SystemClass::Processor:
      return QueryProcessor(root_);
    case SystemClass::PhysicalMemory:
      return QueryMemory(root_);
  }
  return {};
}

}  // namespace platform::sdl
