#include "app/main_loop.h"
#include "app/main_window.h"
#include "tests/app/app_test_records.h"

namespace {

// The real loop over the test's own records and a hidden offscreen window.
class MainLoopGLTest : public apptest::AppRecordsTest {
 protected:
  void SetUp() override {
    AppRecordsTest::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(platform::InitVideo()) << platform::LastError();
    ASSERT_TRUE(app::CreateMainWindow(win_, app_, "", 64, 48, true));
    ASSERT_TRUE(app::CreateInitialContext(win_, app_, 64, 48));
    app_.perfFrequency = 1000000000;
    scene::SetPose(app_.camera, scene::kMenuPosePosition, scene::kMenuPoseAngles);
  }
  void TearDown() override {
    platform::QuitVideo();
    AppRecordsTest::TearDown();
  }

  bench::FrameStatistics stats_;
};

TEST_F(MainLoopGLTest, FinishedLoadingIsHandedOverAndRunsAFrameInTheSamePass) {
  app_.loadState = 1;
  app_.quitRequested = 1;  // ends the loop after this pass
  EXPECT_EQ(app::RunMainLoop(ctx_, stats_), 0);
  EXPECT_EQ(app_.loadState.load(), 2);
  EXPECT_EQ(settings_.show_info2.value, 1) << "the menu shows once loading is done";
  EXPECT_EQ(stats_.framesThisSecond, 1);
  // Shutdown stored the pose that differed from the defaults and let go of
  // the window and contexts.
  EXPECT_EQ(StoredInt(u"m_p_x"), 2844);
  EXPECT_EQ(StoredInt(u"m_p_z"), 14442);
  EXPECT_EQ(win_.mainWindow, nullptr);
  EXPECT_EQ(win_.mainContext, nullptr);
}

TEST_F(MainLoopGLTest, QuittingWhileLoadingEndsTheLoopWithoutRunning) {
  app_.quitRequested = 1;
  settings_.m_p_x.value = 2844;  // unchanged values are not written again
  EXPECT_EQ(app::RunMainLoop(ctx_, stats_), 0);
  EXPECT_EQ(app_.loadState.load(), 0);
  EXPECT_EQ(settings_.show_info2.value, 0);
  EXPECT_EQ(StoredInt(u"m_p_x"), -999);
  EXPECT_EQ(StoredInt(u"m_p_y"), 282);
}

TEST_F(MainLoopGLTest, QuitMessageEndsTheLoopWithItsCode) {
  app_.loadState = 1;
  platform::PostQuit(5);
  EXPECT_EQ(app::RunMainLoop(ctx_, stats_), 5);
  EXPECT_EQ(app_.loadState.load(), 1) << "messages come before frames";
}

}  // namespace
