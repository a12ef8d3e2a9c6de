#include "app/settings/app_settings.h"

#include <cmath>
#include <limits>

namespace app {
namespace {

void SaveCoordinate(SettingsStore& store, SettingEntry<int>& entry, float coordinate) {
  if (std::isnan(coordinate)) return;
  constexpr float kLimit = 2147483648.0f;  // 2^31, exactly representable
  int value = 0;
  if (coordinate >= kLimit) {
    value = std::numeric_limits<int>::max();
  } else if (coordinate < -kLimit) {
    value = std::numeric_limits<int>::min();
  } else {
    value = static_cast<int>(coordinate);
  }
  if (value == entry.value) return;
  entry.value = value;
  WriteSetting(store, entry);
}

void SaveAngle(SettingsStore& store, SettingEntry<float>& entry, float angle) {
  if (angle == entry.value) return;
  entry.value = angle;
  WriteSetting(store, entry);
}

}  // namespace

void ReadSetting(const SettingsStore& store, SettingEntry<int>& entry, int min, int max) {
  entry.value = ReadIntSetting(store, store.productSection, entry.key, entry.value, min, max);
}

void ReadSetting(const SettingsStore& store, SettingEntry<float>& entry) {
  entry.value = ReadFloatSetting(store, store.productSection, entry.key, entry.value);
}

void ReadSetting(const SettingsStore& store, SettingEntry<platform::WString>& entry) {
  ReadStringSetting(store, store.productSection, entry.key, entry.value);
}

bool WriteSetting(SettingsStore& store, const SettingEntry<int>& entry) {
  return WriteIntSetting(store, store.productSection, entry.key, entry.value);
}

bool WriteSetting(SettingsStore& store, const SettingEntry<float>& entry) {
  return WriteFloatSetting(store, store.productSection, entry.key, entry.value);
}

void ReadWindowRectSetting(const SettingsStore& store, AppSettings& settings) {
  ReadStringSetting(store, kProgramSection, settings.windowPlacement.key,
                    settings.windowPlacement.value);
}

bool WriteWindowRectIfChanged(SettingsStore& store, AppSettings& settings,
                              std::u16string_view text) {
  if (text == settings.windowPlacement.value) return true;
  settings.windowPlacement.value = platform::WString(text);
  return WriteStringSetting(store, kProgramSection, settings.windowPlacement.key, text);
}

void ReadSceneSettings(const SettingsStore& store, AppSettings& s) {
  ReadSetting(store, s.quality);
  ReadSetting(store, s.lastAverageFps);
  ReadSetting(store, s.lastRunSeconds);
  ReadSetting(store, s.lastRunWidth);
  ReadSetting(store, s.lastRunHeight);
  ReadSetting(store, s.lastRunSamples);
  ReadSetting(store, s.lastRunQuality);
  ReadSetting(store, s.lastHighestMegaTris);
  ReadSetting(store, s.screenChoice);
  ReadSetting(store, s.compareUrl);
}

void ReadCameraSettings(const SettingsStore& store, AppSettings& s) {
  ReadSetting(store, s.cameraX);
  ReadSetting(store, s.cameraY);
  ReadSetting(store, s.cameraZ);
  ReadSetting(store, s.cameraYaw);
  ReadSetting(store, s.cameraPitch);
  ReadSetting(store, s.cameraYaw2);
  ReadSetting(store, s.brightness);
  s.brightness.value = ClampGamma(s.brightness.value);
}

void SaveCameraPose(SettingsStore& store, AppSettings& settings, float x, float y, float z,
                    float yaw, float pitch, float yaw2) {
  SaveCoordinate(store, settings.cameraX, x);
  SaveCoordinate(store, settings.cameraY, y);
  SaveCoordinate(store, settings.cameraZ, z);
  SaveAngle(store, settings.cameraYaw, yaw);
  SaveAngle(store, settings.cameraPitch, pitch);
  SaveAngle(store, settings.cameraYaw2, yaw2);
}

}  // namespace app
