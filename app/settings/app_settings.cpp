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
  ReadStringSetting(store, kProgramSection, settings.m_win_rc.key, settings.m_win_rc.value);
}

bool WriteWindowRectIfChanged(SettingsStore& store, AppSettings& settings,
                              std::u16string_view text) {
  if (text == settings.m_win_rc.value) return true;
  settings.m_win_rc.value = platform::WString(text);
  return WriteStringSetting(store, kProgramSection, settings.m_win_rc.key, text);
}

void ReadSceneSettings(const SettingsStore& store, AppSettings& s) {
  ReadSetting(store, s.render_type);
  ReadSetting(store, s.last_average_fps);
  ReadSetting(store, s.last_bench_time);
  ReadSetting(store, s.last_bench_sc_width);
  ReadSetting(store, s.last_bench_sc_height);
  ReadSetting(store, s.last_bench_aa);
  ReadSetting(store, s.last_bench_mode);
  ReadSetting(store, s.last_bench_max_mega_tris);
  ReadSetting(store, s.m_screen_type);
  ReadSetting(store, s.compare_url);
}

void ReadCameraSettings(const SettingsStore& store, AppSettings& s) {
  ReadSetting(store, s.m_p_x);
  ReadSetting(store, s.m_p_y);
  ReadSetting(store, s.m_p_z);
  ReadSetting(store, s.m_w_x);
  ReadSetting(store, s.m_w_y);
  ReadSetting(store, s.m_w_z);
  ReadSetting(store, s.m_global_gama);
  s.m_global_gama.value = ClampGamma(s.m_global_gama.value);
}

void SaveCameraPose(SettingsStore& store, AppSettings& settings, float x, float y, float z,
                    float yaw, float pitch, float yaw2) {
  SaveCoordinate(store, settings.m_p_x, x);
  SaveCoordinate(store, settings.m_p_y, y);
  SaveCoordinate(store, settings.m_p_z, z);
  SaveAngle(store, settings.m_w_x, yaw);
  SaveAngle(store, settings.m_w_y, pitch);
  SaveAngle(store, settings.m_w_z, yaw2);
}

}  // namespace app
