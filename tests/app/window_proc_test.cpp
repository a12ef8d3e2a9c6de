#include "app/window_proc.h"

#include "app/main_loop.h"
#include "app/main_window.h"
#include "platform/virtual_keys.h"
#include "tests/app/app_test_records.h"

namespace {

namespace vk = platform::vk;

// The window procedure over the test's own records; no window exists.
class WindowProcTest : public apptest::AppRecordsTest {
 protected:
  void Key(int code, bool down) {
    platform::Event event;
    event.type = down ? platform::EventType::KeyDown : platform::EventType::KeyUp;
    event.vk = code;
    app::MainWindowProc(a_, event);
  }
};

TEST_F(WindowProcTest, F1ShowsMenuAtMenuPoseAndHidingReturnsToBookmark) {
  scene::SetPose(a_.app.camera, {100.0f, 200.0f, 300.0f}, {1.0f, 2.0f, 3.0f});
  Key(vk::kF1, true);
  EXPECT_EQ(a_.settings.menuShown.value, 1);
  EXPECT_EQ(StoredInt(u"show_info2"), 1);
  EXPECT_EQ(a_.settings.autopilotOn.value, 0);
  EXPECT_FLOAT_EQ(a_.app.camera.position.x, scene::kMenuPosePosition.x);
  EXPECT_FLOAT_EQ(a_.app.camera.yaw2, 4.94f);
  Key(vk::kF1, false);

  Key(vk::kF1, true);
  EXPECT_EQ(a_.settings.menuShown.value, 0);
  EXPECT_EQ(StoredInt(u"show_info2"), 0);
  EXPECT_EQ(a_.settings.autopilotOn.value, 1);
  EXPECT_FLOAT_EQ(a_.app.camera.position.x, 100.0f);
  EXPECT_FLOAT_EQ(a_.app.camera.pitch, 2.0f);
}

TEST_F(WindowProcTest, HidingMenuWithoutBookmarkKeepsCamera) {
  a_.settings.menuShown.value = 1;
  scene::SetPose(a_.app.camera, {5.0f, 6.0f, 7.0f}, {});
  Key(vk::kF1, true);
  EXPECT_EQ(a_.settings.menuShown.value, 0);
  EXPECT_FLOAT_EQ(a_.app.camera.position.z, 7.0f);
}

TEST_F(WindowProcTest, EscapeWithMenuHiddenOpensItLikeF1AndStopsARun) {
  Key(vk::kEscape, true);
  EXPECT_EQ(a_.settings.menuShown.value, 1);
  EXPECT_FLOAT_EQ(a_.app.camera.position.z, scene::kMenuPosePosition.z);

  // Enter and F11 are ignored during a run; F1 stops it and shows the menu.
  a_.settings.menuShown.value = 0;
  a_.player.playing = true;
  Key(vk::kReturn, true);
  Key(vk::kF11, true);
  EXPECT_TRUE(a_.player.playing);
  EXPECT_FALSE(a_.win.borderless);
}

// A run can be stopped before any window exists or after it is gone.
TEST_F(WindowProcTest, EscapeAndF1StopARunWithoutAWindow) {
  for (int key : {vk::kEscape, vk::kF1}) {
    a_.settings.menuShown.value = 0;
    a_.player.playing = true;
    Key(key, true);
    Key(key, false);
    EXPECT_FALSE(a_.player.playing) << key;
    EXPECT_EQ(a_.settings.menuShown.value, 1) << key;
  }
}

TEST_F(WindowProcTest, StoppingARunLeavesFullScreen) {
  ASSERT_TRUE(app::CreateMainWindow(windows_, a_.win, a_.app, "", 1024, 768, true));
  app::ToggleBorderless(windows_, a_.win);
  ASSERT_TRUE(a_.win.borderless);
  a_.settings.menuShown.value = 0;
  a_.player.playing = true;
  windows_.ClearLog();
  Key(vk::kEscape, true);
  EXPECT_FALSE(a_.win.borderless);
  EXPECT_EQ(windows_.log(), (std::vector<std::string>{"bordered", "not on top",
                                                      "place 0,0,1024,768", "show normal"}));

  // A run in a bordered window gets its frame back and leaves the top.
  a_.settings.menuShown.value = 0;
  a_.player.playing = true;
  windows_.ClearLog();
  Key(vk::kF1, true);
  EXPECT_EQ(windows_.log(), (std::vector<std::string>{"bordered", "not on top"}));
}

TEST_F(WindowProcTest, KeyTableFollowsKeysAndRightButton) {
  Key('W', true);
  EXPECT_EQ(a_.input.keyDown['W'], 1);
  Key('W', false);
  EXPECT_EQ(a_.input.keyDown['W'], 0);
  platform::Event right;
  right.type = platform::EventType::RButtonDown;
  app::MainWindowProc(a_, right);
  EXPECT_EQ(a_.input.keyDown[vk::kRightButton], 1);
  right.type = platform::EventType::RButtonUp;
  app::MainWindowProc(a_, right);
  EXPECT_EQ(a_.input.keyDown[vk::kRightButton], 0);
}

TEST_F(WindowProcTest, WaterKeysMoveTheWaterAndStoreItOnceTheyAreLetGo) {
  a_.input.waterHeight = a_.settings.waterHeight.value;
  Key('F', true);
  Key(vk::kNumpad8, true);
  app::ApplyWaterKeys(a_.input, a_.settings, a_.store);
  EXPECT_FLOAT_EQ(a_.input.waterHeight, 131.505f);
  app::ApplyWaterKeys(a_.input, a_.settings, a_.store);
  EXPECT_FLOAT_EQ(a_.input.waterHeight, 131.51f);
  Key('F', false);
  Key(vk::kNumpad2, true);  // both held: they cancel out
  app::ApplyWaterKeys(a_.input, a_.settings, a_.store);
  Key(vk::kNumpad8, false);
  app::ApplyWaterKeys(a_.input, a_.settings, a_.store);
  EXPECT_NEAR(a_.input.waterHeight, 131.41f, 1e-4);
  EXPECT_FLOAT_EQ(StoredFloat(u"WaterHeight"), -999.0f) << "nothing is written while a key is held";

  Key(vk::kNumpad2, false);
  app::ApplyWaterKeys(a_.input, a_.settings, a_.store);
  EXPECT_NEAR(StoredFloat(u"WaterHeight"), 131.41f, 1e-4) << "the first frame after lets go";
  EXPECT_NEAR(a_.settings.waterHeight.value, 131.41f, 1e-4);

  Key(vk::kNumpad9, true);
  app::ApplyWaterKeys(a_.input, a_.settings, a_.store);
  EXPECT_NEAR(a_.input.waterWaveParameter, 0.35f, 1e-6);
}

TEST_F(WindowProcTest, AWaterKeyStillHeldAtShutdownIsStored) {
  a_.input.waterHeight = a_.settings.waterHeight.value;
  Key(vk::kNumpad8, true);
  app::ApplyWaterKeys(a_.input, a_.settings, a_.store);
  EXPECT_FLOAT_EQ(StoredFloat(u"WaterHeight"), -999.0f);
  app::Shutdown(a_);
  EXPECT_FLOAT_EQ(StoredFloat(u"WaterHeight"), 131.6f);
}

}  // namespace
