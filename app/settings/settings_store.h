// The settings file: where it lives, and reading and writing single keys.
//
// Every read looks at the file as it is on disk now and every write replaces
// it at once, so a value written is what the next read returns and changes
// made by hand between two calls are seen. There is no cache and no batch.
//
// The store never writes through a symbolic link and never replaces a file
// it could not read completely: a settings path that is a link, a folder, an
// oversized or unreadable file is left exactly as it is. When that happens
// in the user's own folder, where there is no further place to go, the
// store keeps its values in memory for the session (starting from what it
// could read, following a link only for reading).
#pragma once

#include <filesystem>
#include <string_view>

#include "app/settings/ini_document.h"
#include "platform/text_codec.h"

namespace app {

inline constexpr std::u16string_view kProductName = u"Morvandel.Gauge";
inline constexpr std::u16string_view kProgramSection = u"Program";
inline constexpr std::string_view kSettingsFileName = "Morvandel.Gauge.ini";

// Larger files are not settings files; they are left alone, unread.
inline constexpr size_t kMaxSettingsFileBytes = 16u << 20;

// Values ReadStringSetting may return are at most this long (a buffer of
// 1024 characters with its terminator).
inline constexpr size_t kMaxSettingText = 1023;

struct SettingsStore {
  std::filesystem::path settingsPath;
  platform::WString productSection{kProductName};
  int portableMode = 0;
  // True when settingsPath cannot be used safely; `memory` then holds the
  // settings for this session and the file is never touched.
  bool memoryOnly = false;
  IniDocument memory;
};

// What the location rules look at; the program fills it from the platform
// (SystemSettingsLocation), tests with folders of their own.
struct SettingsLocationInput {
  std::filesystem::path executable;
  std::filesystem::path systemTemp;
  std::filesystem::path appData;
};

SettingsLocationInput SystemSettingsLocation();

// Chooses the settings file and converts it to UTF-16 with FF FE, keeping its
// content:
// - the executable's file name, lower-cased, containing "_p", "_portable" or
//   "_port" after its first character selects portable mode, which creates
//   the file beside the executable;
// - temporary files of ours that an earlier run, killed in the middle of a
//   write, left beside the chosen file are removed;
// - the file beside the executable is used when it exists, is a regular
//   writable file and the executable does not run from the temporary folder;
// - otherwise <appData>/Morvandel.Gauge/Morvandel.Gauge.ini, its folder
//   created with mode 0700.
// Returns 1.
int LocateSettingsFile(SettingsStore& store, const SettingsLocationInput& in);

// The stored text of a key; nothing when the key or section is missing.
std::optional<platform::WString> ReadRawSetting(const SettingsStore& store,
                                                std::u16string_view section,
                                                std::u16string_view key);

// A key with a non-empty value gives the integer at the start of its text (0
// when there is none); otherwise `fallback`. When neither bound is -1 the
// value is clamped to [min, max].
int ReadIntSetting(const SettingsStore& store, std::u16string_view section, std::u16string_view key,
                   int fallback, int min, int max);
// The key's text read as a decimal number (FloatFromSettingText); a missing
// key gives `current` rounded to six decimals.
float ReadFloatSetting(const SettingsStore& store, std::u16string_view section,
                       std::u16string_view key, float current);
// Replaces `buffer` with the key's text when the key exists; `buffer` keeps
// its text otherwise. Either way it ends up at most kMaxSettingText long.
void ReadStringSetting(const SettingsStore& store, std::u16string_view section,
                       std::u16string_view key, platform::WString& buffer);

// Write at once; false when the value could not be stored (callers may
// ignore it: the value stays in effect for the session wherever they keep it).
bool WriteIntSetting(SettingsStore& store, std::u16string_view section, std::u16string_view key,
                     int value);
bool WriteFloatSetting(SettingsStore& store, std::u16string_view section, std::u16string_view key,
                       float value);
bool WriteStringSetting(SettingsStore& store, std::u16string_view section, std::u16string_view key,
                        std::u16string_view text);

}  // namespace app
