#include "app/settings/settings_store.h"

#include <system_error>

#include "app/settings/settings_values.h"
#include "platform/file_io.h"
#include "platform/paths.h"

namespace app {
namespace fs = std::filesystem;
using platform::LinkPolicy;
using platform::ReadStatus;
using platform::WString;

namespace {

constexpr std::u16string_view kProbeKey = u"TestIni";
constexpr std::u16string_view kProbeValue = u"eeee";

std::string LowerAscii(std::string s) {
  for (char& c : s) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  }
  return s;
}

bool IsPortableName(const std::string& lowerName) {
  for (const char* marker : {"_p", "_portable", "_port"}) {
    const size_t pos = lowerName.find(marker);
    if (pos != std::string::npos && pos > 0) return true;
  }
  return false;
}

// Collapsed slashes, one trailing slash, lower case: the forms that are
// compared to tell whether the program runs from the temporary folder.
std::string NormalisedFolder(const fs::path& folder) {
  std::string s = folder.lexically_normal().generic_string();
  std::string out;
  for (char c : s) {
    if (c != '/' || out.empty() || out.back() != '/') out.push_back(c);
  }
  if (out.empty() || out.back() != '/') out.push_back('/');
  return LowerAscii(out);
}

bool RunsFromTempFolder(const fs::path& exeFolder, const fs::path& tempFolder) {
  if (tempFolder.empty()) return false;
  return NormalisedFolder(exeFolder).starts_with(NormalisedFolder(tempFolder));
}

bool ExistsAndIsNoFolder(const fs::path& path) {
  std::error_code ec;
  const fs::file_status st = fs::symlink_status(path, ec);
  return !ec && fs::exists(st) && !fs::is_directory(st);
}

platform::FileBytes ReadSettingsFile(const fs::path& path, LinkPolicy links) {
  return platform::ReadFile(path, kMaxSettingsFileBytes, links);
}

bool WriteRawSetting(SettingsStore& store, std::u16string_view section, std::u16string_view key,
                     std::u16string_view value) {
  if (store.memoryOnly) {
    store.memory.Set(section, key, value);
    return true;
  }
  if (store.settingsPath.empty()) return false;
  const platform::FileBytes file = ReadSettingsFile(store.settingsPath, LinkPolicy::Refuse);
  // A file that could not be read completely is never replaced: what it
  // holds would be lost.
  if (file.status != ReadStatus::Ok && file.status != ReadStatus::Missing) return false;
  if (file.status == ReadStatus::Ok && !platform::IsWritableRegularFile(store.settingsPath)) {
    return false;
  }
  IniDocument doc(file.status == ReadStatus::Ok ? platform::DecodeTextFile(file.bytes) : WString());
  doc.Set(section, key, value);
  return platform::ReplaceFileAtomically(store.settingsPath,
                                         platform::EncodeUtf16LeWithBom(doc.Text()));
}

bool ProbeWrite(SettingsStore& store) {
  return WriteRawSetting(store, kProgramSection, kProbeKey, kProbeValue) &&
         ReadRawSetting(store, kProgramSection, kProbeKey) == WString(kProbeValue);
}

void UseUserFolder(SettingsStore& store, const fs::path& appData) {
  store.settingsPath.clear();
  if (appData.empty()) return;
  const fs::path folder = appData / fs::path(platform::Utf16ToUtf8(kProductName));
  if (platform::MakeUserFolders(folder)) store.settingsPath = folder / kSettingsFileName;
}

// The settings path cannot be written safely: keep the settings of this
// session in memory, starting from whatever the file holds that can be read.
void KeepInMemory(SettingsStore& store) {
  const platform::FileBytes file = store.settingsPath.empty()
                                       ? platform::FileBytes{}
                                       : ReadSettingsFile(store.settingsPath, LinkPolicy::Follow);
  store.memoryOnly = true;
  store.memory = file.status == ReadStatus::Ok ? IniDocument(platform::DecodeTextFile(file.bytes))
                                               : IniDocument();
  store.memory.Set(kProgramSection, kProbeKey, kProbeValue);
}

}  // namespace

SettingsLocationInput SystemSettingsLocation() {
  return {platform::ExecutablePath(), platform::SystemTempDir(), platform::AppDataDir()};
}

int LocateSettingsFile(SettingsStore& store, const SettingsLocationInput& in) {
  store.memoryOnly = false;
  store.memory = IniDocument();
  store.portableMode = 0;
  store.settingsPath.clear();

  bool besideExecutable = false;
  if (in.executable.has_parent_path()) {
    const fs::path folder = in.executable.parent_path();
    store.settingsPath = folder / kSettingsFileName;
    store.portableMode = IsPortableName(LowerAscii(in.executable.filename().string())) ? 1 : 0;
    // In portable mode this creates the file beside the executable.
    if (store.portableMode) WriteRawSetting(store, kProgramSection, kProbeKey, u"M");
    besideExecutable = !RunsFromTempFolder(folder, in.systemTemp) &&
                       ExistsAndIsNoFolder(store.settingsPath) && ProbeWrite(store);
  }
  if (!besideExecutable) UseUserFolder(store, in.appData);
  // A write cut short by a kill leaves its temporary file beside the
  // settings file; nothing else would ever remove it.
  if (!store.settingsPath.empty()) platform::RemoveStaleReplaceFiles(store.settingsPath);

  // Every write replaces the file with FF FE and UTF-16LE text, so this probe
  // also converts a file from an earlier version, keeping its content.
  if (!ProbeWrite(store)) KeepInMemory(store);
  return 1;
}

std::optional<WString> ReadRawSetting(const SettingsStore& store, std::u16string_view section,
                                      std::u16string_view key) {
  if (store.memoryOnly) return store.memory.Get(section, key);
  if (store.settingsPath.empty()) return std::nullopt;
  const platform::FileBytes file = ReadSettingsFile(store.settingsPath, LinkPolicy::Refuse);
  if (file.status != ReadStatus::Ok) return std::nullopt;
  return IniDocument(platform::DecodeTextFile(file.bytes)).Get(section, key);
}

int ReadIntSetting(const SettingsStore& store, std::u16string_view section, std::u16string_view key,
                   int fallback, int min, int max) {
  WString text;
  ReadStringSetting(store, section, key, text);
  return IntFromSettingText(text, fallback, min, max);
}

float ReadFloatSetting(const SettingsStore& store, std::u16string_view section,
                       std::u16string_view key, float current) {
  WString text = platform::FormatFloat(current);
  ReadStringSetting(store, section, key, text);
  return FloatFromSettingText(text);
}

void ReadStringSetting(const SettingsStore& store, std::u16string_view section,
                       std::u16string_view key, WString& buffer) {
  if (auto value = ReadRawSetting(store, section, key)) buffer = std::move(*value);
  if (buffer.size() > kMaxSettingText) buffer.resize(kMaxSettingText);
}

bool WriteIntSetting(SettingsStore& store, std::u16string_view section, std::u16string_view key,
                     int value) {
  return WriteRawSetting(store, section, key, platform::FormatInt(value));
}

bool WriteFloatSetting(SettingsStore& store, std::u16string_view section, std::u16string_view key,
                       float value) {
  return WriteRawSetting(store, section, key, platform::FormatFloat(value));
}

bool WriteStringSetting(SettingsStore& store, std::u16string_view section, std::u16string_view key,
                        std::u16string_view text) {
  return WriteRawSetting(store, section, key, text);
}

}  // namespace app
