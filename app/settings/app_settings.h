// The program's settings: every persisted key with its default, the few
// switches kept only in memory, and the reads and writes the start-up, the
// scene and the shutdown make.
#pragma once

#include <string_view>

#include "app/settings/settings_store.h"
#include "app/settings/settings_values.h"
#include "platform/text_codec.h"
#include "share/links.h"

namespace app {

template <typename T>
struct SettingEntry {
  T value;
  std::u16string_view key;
};

// Each entry carries its key in the file; the member says what it means.
struct AppSettings {
  // Stored in the product section unless noted. The language default is
  // replaced at start-up by the one derived from the desktop's language.
  SettingEntry<int> languageId{1, u"m_lang_id"};
  // Section "Program"; stored only, never applied to the window.
  SettingEntry<platform::WString> windowPlacement{platform::WString(u"0;0;800;600;2"), u"m_win_rc"};
  SettingEntry<int> cameraX{0, u"m_p_x"};
  SettingEntry<int> cameraY{150, u"m_p_y"};
  SettingEntry<int> cameraZ{0, u"m_p_z"};
  SettingEntry<float> cameraYaw{474.0f, u"m_w_x"};
  SettingEntry<float> cameraPitch{5.0f, u"m_w_y"};
  SettingEntry<float> cameraYaw2{30.0f, u"m_w_z"};
  SettingEntry<int> quality{1, u"render_type"};
  SettingEntry<int> screenChoice{0, u"m_screen_type"};
  SettingEntry<float> brightness{1.0f, u"m_global_gama"};
  SettingEntry<float> lastAverageFps{0.0f, u"last_average_fps"};
  SettingEntry<float> lastRunSeconds{0.0f, u"last_bench_time"};
  SettingEntry<int> lastRunWidth{0, u"last_bench_sc_width"};
  SettingEntry<int> lastRunHeight{0, u"last_bench_sc_height"};
  SettingEntry<int> lastRunSamples{0, u"last_bench_aa"};
  SettingEntry<int> lastRunQuality{0, u"last_bench_mode"};
  SettingEntry<float> lastHighestMegaTris{0.0f, u"last_bench_max_mega_tris"};
  // Written when the keyboard moves the water, never read back.
  SettingEntry<float> waterHeight{131.5f, u"WaterHeight"};
  // Written by F1 and the menu, never read back.
  SettingEntry<int> menuShown{0, u"show_info2"};
  // Where the link commands point (the variants add "/de", "/eu", "/int");
  // read only, never written.
  SettingEntry<platform::WString> homepageUrl{platform::Ascii(share::kDefaultHomepageUrl),
                                              u"homepage_url"};
  // Where the compare page posts the result; read only, set by hand. The
  // default is the comparison server on this machine, which the compare
  // command starts when nothing answers there.
  SettingEntry<platform::WString> compareUrl{platform::WString(u"http://127.0.0.1:8723"),
                                             u"compare_url"};

  // Kept in memory only, never read from or written to the file.
  SettingEntry<int> hudShown{1, u"show_info"};
  SettingEntry<int> renderPass{1, u"mit_wasser"};
  SettingEntry<int> autopilotOn{0, u"m_autopilot"};
  SettingEntry<int> filledPolygons{1, u"g_bRenderMode"};
  SettingEntry<int> drawPalms{1, u"draw_palm"};
  SettingEntry<int> drawGrass{1, u"draw_grass"};
  SettingEntry<int> drawObjects{1, u"g_bRenderObjects"};
  SettingEntry<int> waitForRefresh{0, u"limit_fps"};
};

// Entries of the product section; the entry's value is the default.
void ReadSetting(const SettingsStore& store, SettingEntry<int>& entry, int min = -1, int max = -1);
void ReadSetting(const SettingsStore& store, SettingEntry<float>& entry);
void ReadSetting(const SettingsStore& store, SettingEntry<platform::WString>& entry);
bool WriteSetting(SettingsStore& store, const SettingEntry<int>& entry);
bool WriteSetting(SettingsStore& store, const SettingEntry<float>& entry);

// The text of a product-section key; the entry keeps its value when the key
// is missing.
void ReadSetting(const SettingsStore& store, SettingEntry<platform::WString>& entry);

// The window placement text (FormatWindowRect) as stored in "Program".
void ReadWindowRectSetting(const SettingsStore& store, AppSettings& settings);
// Stores and writes the text only when it differs from the stored one.
// False only when a needed write failed.
bool WriteWindowRectIfChanged(SettingsStore& store, AppSettings& settings,
                              std::u16string_view text);

// The scene's first reads: render_type, last_average_fps, last_bench_time,
// last_bench_sc_width, last_bench_sc_height, last_bench_aa, last_bench_mode,
// last_bench_max_mega_tris, m_screen_type, then compare_url.
void ReadSceneSettings(const SettingsStore& store, AppSettings& settings);
// After the camera is placed: m_p_x, m_p_y, m_p_z, m_w_x, m_w_y, m_w_z and
// m_global_gama (clamped).
void ReadCameraSettings(const SettingsStore& store, AppSettings& settings);

// At shutdown: each coordinate truncated towards zero, each angle as it is,
// stored and written only when it differs from the stored value (an angle
// that is not a number always differs). A coordinate that is not a number is
// not stored; one beyond the int range is stored as the nearest int.
void SaveCameraPose(SettingsStore& store, AppSettings& settings, float x, float y, float z,
                    float yaw, float pitch, float yaw2);

}  // namespace app
