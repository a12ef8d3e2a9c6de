#include <gtest/gtest.h>

#include <set>

#include "app/language_choice.h"
#include "app/main_loop.h"
#include "app/main_window.h"
#include "app/window_icon.h"
#include "platform/fake/recording_window_system.h"
#include "platform/fake/scripted_clock.h"

namespace {

TEST(LanguageChoiceTest, DesktopLanguageSelectsArchiveSection) {
  const struct {
    uint16_t langId;
    int index;
  } cases[] = {
      {0x0407, 0},  {0x0409, 1},  {0x0809, 1},  {0x040C, 2},  {0x0411, 3},  {0x0404, 4},
      {0x0C04, 4},  {0x0804, 15}, {0x0410, 5},  {0x0416, 6},  {0x0816, 6},  {0x0C0A, 7},
      {0x080A, 7},  {0x200A, 13}, {0x0412, 8},  {0x0408, 9},  {0x0419, 10}, {0x0413, 11},
      {0x0415, 12}, {0x141A, 14}, {0x041A, 14}, {0x040E, 16}, {0x0401, 17}, {0x0429, 18},
      {0x041F, 1},  // Turkish is not in the archive
      {0x0000, 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(app::UiLanguageFromLangId(c.langId), c.index) << std::hex << c.langId;
  }
}

TEST(AntialiasChoicesTest, ListsOnlyWhatTheDriverGivesWithoutGaps) {
  const auto twoAndEight = app::BuildAntialiasChoices([](int n) { return n == 2 || n == 8; });
  const std::map<int, std::u16string> expected{{0, u"Off"}, {1, u"MSAA: 2 X"}, {2, u"MSAA: 8 X"}};
  EXPECT_EQ(twoAndEight, expected);

  EXPECT_EQ(app::BuildAntialiasChoices([](int) { return false; }),
            (std::map<int, std::u16string>{{0, u"Off"}}));

  std::set<int> asked;
  const auto all = app::BuildAntialiasChoices([&](int n) {
    asked.insert(n);
    return true;
  });
  EXPECT_EQ(asked, (std::set<int>{2, 4, 8, 16}));  // never 32
  EXPECT_EQ(all.rbegin()->second, u"MSAA: 16 X");
}

// The window gets the program's picture the right way up and in R, G, B, A
// order: a yellow sun at the top left, the sea at the bottom, transparent
// round corners.
TEST(WindowIconTest, MainWindowCarriesTheProgramIcon) {
  platform::fake::RecordingWindowSystem windows;
  app::WindowState win;
  app::AppState state;
  ASSERT_TRUE(app::CreateMainWindow(windows, win, state, "", 1024, 768, true));
  EXPECT_GE(windows.Find("icon 64x64"), 0);
  const std::vector<uint8_t> icon = windows.icon();
  ASSERT_EQ(icon.size(), 64u * 64 * 4);
  auto at = [&](int x, int y) { return &icon[(y * 64 + x) * 4]; };
  EXPECT_EQ(at(0, 0)[3], 0);
  EXPECT_EQ(at(63, 63)[3], 0);
  const uint8_t* sun = at(15, 15);
  EXPECT_TRUE(sun[0] > 200 && sun[1] > 160 && sun[2] < 120 && sun[3] == 255);
  const uint8_t* sea = at(32, 58);
  EXPECT_TRUE(sea[2] > sea[0] + 60 && sea[3] == 255);
}

TEST(WindowIconTest, PictureThatDoesNotDecodeGivesNoIcon) {
  const uint8_t notPng[] = {0x89, 'P', 'N', 'G', 0, 1, 2, 3};
  EXPECT_EQ(app::DecodeIcon(notPng, sizeof notPng).width, 0);
  EXPECT_EQ(app::DecodeIcon(nullptr, 0).width, 0);
}

TEST(PlacementTextTest, RectangleAndShowCommand) {
  EXPECT_EQ(app::BuildPlacementText({10, 20, 1034, 788}, platform::ShowState::Normal),
            u"10;20;1034;788;1;x,y,w,h,SW");
  EXPECT_EQ(app::BuildPlacementText({-8, -8, 1288, 1032}, platform::ShowState::Maximized),
            u"-8;-8;1288;1032;3;x,y,w,h,SW");
}

TEST(RenderTypeTest, QualityChoiceMapsToDetailLevel) {
  EXPECT_EQ(app::DetailLevelFromRenderType(0, 1), 2);
  EXPECT_EQ(app::DetailLevelFromRenderType(1, 0), 1);
  EXPECT_EQ(app::DetailLevelFromRenderType(2, 1), 0);
  EXPECT_EQ(app::DetailLevelFromRenderType(7, 2), 2);
  EXPECT_EQ(app::DetailLevelFromRenderType(-1, 0), 0);
}

TEST(FrameTimeTest, MillisecondsFromTheCounter) {
  platform::fake::ScriptedClock clock(3579545);  // an odd frequency, as some counters have
  app::AppState state;
  state.perfFrequency = clock.Frequency();
  state.perfCounterLast = clock.Now();
  clock.Script({16.5, 1000.0});
  app::MeasureFrameTime(state, clock);
  EXPECT_NEAR(state.frameTimeMs, 16.5, 1e-3);
  app::MeasureFrameTime(state, clock);
  EXPECT_NEAR(state.frameTimeMs, 1000.0, 1e-3);
}

}  // namespace
