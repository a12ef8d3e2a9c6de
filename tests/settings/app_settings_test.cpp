#include "app/settings/app_settings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

namespace app {
namespace {

// A store that keeps its file in memory, so the test sees exactly which keys
// were written.
SettingsStore MemoryStore(std::u16string_view productKeys = u"") {
  SettingsStore store;
  store.memoryOnly = true;
  store.memory = IniDocument(u"[Morvandel.Gauge]\n" + std::u16string(productKeys));
  return store;
}

TEST(AppSettingsTest, SceneAndCameraReadsTakeStoredValuesAndClampBrightness) {
  struct Case {
    const char16_t* stored;  // m_global_gama line, or nothing
    float expected;
  };
  const Case cases[] = {{u"m_global_gama=3\n", 1.5f},
                        {u"m_global_gama=0.1\n", 0.5f},
                        {u"m_global_gama=1.2\n", 1.2f},
                        {u"m_global_gama=nan\n", 1.0f},
                        {u"m_global_gama=abc\n", 0.5f},
                        {u"", 1.0f},
                        // Beyond the double range: infinity, as the C library reads it.
                        {u"m_global_gama=1e309\n", 1.5f},
                        {u"m_global_gama=-1e309\n", 0.5f}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "expected " << c.expected);
    const SettingsStore store =
        MemoryStore(u"render_type=2\nlast_average_fps=61.5\nm_p_y=12abc\nm_w_x=1.25\n" +
                    std::u16string(c.stored));
    AppSettings settings;
    ReadSceneSettings(store, settings);
    ReadCameraSettings(store, settings);
    EXPECT_EQ(settings.quality.value, 2);
    EXPECT_EQ(settings.lastAverageFps.value, 61.5f);
    EXPECT_EQ(settings.screenChoice.value, 0);
    EXPECT_EQ(settings.cameraY.value, 12);
    EXPECT_EQ(settings.cameraZ.value, 0);
    EXPECT_EQ(settings.cameraYaw.value, 1.25f);
    EXPECT_EQ(settings.cameraPitch.value, 5.0f);
    EXPECT_FLOAT_EQ(settings.brightness.value, c.expected);
  }
}

// Every float key reads a number too large for a float or a double as an
// infinity of its sign, never as 0.
TEST(AppSettingsTest, EveryFloatKeyReadsHugeNumbersAsInfinity) {
  const float inf = std::numeric_limits<float>::infinity();
  for (const char16_t* text : {u"1e309", u"1e39"}) {
    for (const bool negative : {false, true}) {
      std::u16string keys;
      AppSettings names;
      const std::u16string value = (negative ? u"-" : u"") + std::u16string(text);
      for (const auto* entry :
           {&names.cameraYaw, &names.cameraPitch, &names.cameraYaw2, &names.lastAverageFps,
            &names.lastRunSeconds, &names.lastHighestMegaTris}) {
        keys += std::u16string(entry->key) + u"=" + value + u"\n";
      }
      const SettingsStore store = MemoryStore(keys);
      AppSettings settings;
      ReadSceneSettings(store, settings);
      ReadCameraSettings(store, settings);
      const float expected = negative ? -inf : inf;
      SCOPED_TRACE(platform::Utf16ToUtf8(value));
      EXPECT_EQ(settings.cameraYaw.value, expected);
      EXPECT_EQ(settings.cameraPitch.value, expected);
      EXPECT_EQ(settings.cameraYaw2.value, expected);
      EXPECT_EQ(settings.lastAverageFps.value, expected);
      EXPECT_EQ(settings.lastRunSeconds.value, expected);
      EXPECT_EQ(settings.lastHighestMegaTris.value, expected);
    }
  }
}

TEST(AppSettingsTest, CameraPoseIsWrittenOnlyWhereItChanged) {
  SettingsStore store = MemoryStore();
  AppSettings settings;
  SaveCameraPose(store, settings, 0.7f, 150.9f, NAN, 474.0f, NAN, 1.5f);

  const auto stored = [&](std::u16string_view key) { return store.memory.Get(kProductName, key); };
  EXPECT_EQ(stored(u"m_p_x"), std::nullopt);  // 0.7 truncates to the stored 0
  EXPECT_EQ(stored(u"m_p_y"), std::nullopt);  // 150.9 truncates to the stored 150
  EXPECT_EQ(stored(u"m_p_z"), std::nullopt);  // not a number: nothing to store
  EXPECT_EQ(stored(u"m_w_x"), std::nullopt);
  EXPECT_EQ(stored(u"m_w_y"), u"nan");  // not a number always counts as changed
  EXPECT_EQ(stored(u"m_w_z"), u"1.500000");

  SaveCameraPose(store, settings, -3e12f, 3e12f, -2.9f, 474.0f, 5.0f, 1.5f);
  EXPECT_EQ(stored(u"m_p_x"), u"-2147483648");
  EXPECT_EQ(stored(u"m_p_y"), u"2147483647");
  EXPECT_EQ(stored(u"m_p_z"), u"-2");
}

TEST(AppSettingsTest, WindowRectIsRewrittenOnlyWhenItDiffers) {
  SettingsStore store = MemoryStore(u"[Program]\nm_win_rc=1;2;3;4;1;x,y,w,h,SW\n");
  AppSettings settings;
  ReadWindowRectSetting(store, settings);
  EXPECT_EQ(settings.windowPlacement.value, u"1;2;3;4;1;x,y,w,h,SW");

  store.memory.Set(kProgramSection, u"m_win_rc", u"edited by hand");
  EXPECT_TRUE(WriteWindowRectIfChanged(store, settings, FormatWindowRect(1, 2, 3, 4, 1)));
  EXPECT_EQ(store.memory.Get(kProgramSection, u"m_win_rc"), u"edited by hand");

  EXPECT_TRUE(WriteWindowRectIfChanged(store, settings, FormatWindowRect(-8, -8, 1928, 1048, 3)));
  EXPECT_EQ(store.memory.Get(kProgramSection, u"m_win_rc"), u"-8;-8;1928;1048;3;x,y,w,h,SW");
}

TEST(AppSettingsTest, HomepageUrlDefaultsToTheComparisonServer) {
  AppSettings settings;
  ReadSetting(MemoryStore(), settings.homepageUrl);
  EXPECT_EQ(settings.homepageUrl.value, u"http://127.0.0.1:8723");
  ReadSetting(MemoryStore(u"homepage_url=https://www.example.org\n"), settings.homepageUrl);
  EXPECT_EQ(settings.homepageUrl.value, u"https://www.example.org");
}

}  // namespace
}  // namespace app
