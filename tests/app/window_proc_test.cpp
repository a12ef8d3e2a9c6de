#include "app/main_loop.h"
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
    app::MainWindowProc(ctx_, event);
  }
};

TEST_F(WindowProcTest, F1ShowsMenuAtMenuPoseAndHidingReturnsToBookmark) {
  scene::SetPose(app_.camera, {100.0f, 200.0f, 300.0f}, {1.0f, 2.0f, 3.0f});
  Key(vk::kF1, true);
  EXPECT_EQ(settings_.show_info2.value, 1);
  EXPECT_EQ(StoredInt(u"show_info2"), 1);
  EXPECT_EQ(settings_.m_autopilot.value, 0);
  EXPECT_FLOAT_EQ(app_.camera.position.x, 2844.882f);
  EXPECT_FLOAT_EQ(app_.camera.yaw2, 4.94f);
  Key(vk::kF1, false);

  Key(vk::kF1, true);
  EXPECT_EQ(settings_.show_info2.value, 0);
  EXPECT_EQ(StoredInt(u"show_info2"), 0);
  EXPECT_EQ(settings_.m_autopilot.value, 1);
  EXPECT_FLOAT_EQ(app_.camera.position.x, 100.0f);
  EXPECT_FLOAT_EQ(app_.camera.pitch, 2.0f);
}

TEST_F(WindowProcTest, HidingMenuWithoutBookmarkKeepsCamera) {
  settings_.show_info2.value = 1;
  scene::SetPose(app_.camera, {5.0f, 6.0f, 7.0f}, {});
  Key(vk::kF1, true);
  EXPECT_EQ(settings_.show_info2.value, 0);
  EXPECT_FLOAT_EQ(app_.camera.position.z, 7.0f);
}

TEST_F(WindowProcTest, EscapeWithMenuHiddenOpensItLikeF1AndStopsARun) {
  Key(vk::kEscape, true);
  EXPECT_EQ(settings_.show_info2.value, 1);
  EXPECT_FLOAT_EQ(app_.camera.position.z, 14442.2256f);

  // Enter and F11 are ignored during a run; F1 stops it and shows the menu.
  settings_.show_info2.value = 0;
  player_.playing = true;
  Key(vk::kReturn, true);
  Key(vk::kF11, true);
  EXPECT_TRUE(player_.playing);
  EXPECT_FALSE(win_.borderless);
}

TEST_F(WindowProcTest, KeyTableFollowsKeysAndRightButton) {
  Key('W', true);
  EXPECT_EQ(input_.keyDown['W'], 1);
  Key('W', false);
  EXPECT_EQ(input_.keyDown['W'], 0);
  platform::Event right;
  right.type = platform::EventType::RButtonDown;
  app::MainWindowProc(ctx_, right);
  EXPECT_EQ(input_.keyDown[vk::kRightButton], 1);
  right.type = platform::EventType::RButtonUp;
  app::MainWindowProc(ctx_, right);
  EXPECT_EQ(input_.keyDown[vk::kRightButton], 0);
}

TEST_F(WindowProcTest, WaterKeysMoveTheWaterAndStoreEveryChange) {
  input_.waterHeight = settings_.WaterHeight.value;
  Key('F', true);
  Key(vk::kNumpad8, true);
  app::ApplyWaterKeys(ctx_);
  EXPECT_FLOAT_EQ(input_.waterHeight, 131.505f);
  EXPECT_FLOAT_EQ(StoredFloat(u"WaterHeight"), 131.505f);
  app::ApplyWaterKeys(ctx_);
  EXPECT_FLOAT_EQ(StoredFloat(u"WaterHeight"), 131.51f);

  Key('F', false);
  Key(vk::kNumpad2, true);  // both held: they cancel out, nothing is written
  app::ApplyWaterKeys(ctx_);
  EXPECT_FLOAT_EQ(StoredFloat(u"WaterHeight"), 131.51f);
  Key(vk::kNumpad8, false);
  app::ApplyWaterKeys(ctx_);
  EXPECT_NEAR(StoredFloat(u"WaterHeight"), 131.41f, 1e-4);

  Key(vk::kNumpad9, true);
  app::ApplyWaterKeys(ctx_);
  EXPECT_NEAR(input_.waterWaveParameter, 0.35f, 1e-6);
}

}  // namespace
