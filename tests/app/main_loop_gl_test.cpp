#include "app/main_loop.h"
#include "app/main_window.h"
#include "platform/sdl/sdl_window_system.h"
#include "tests/app/app_test_records.h"

namespace {

using GlRecordsTest = apptest::AppRecordsTestOver<platform::sdl::SdlWindowSystem, app::GlRenderer>;

// The real loop over the test's own record and a hidden offscreen window.
class MainLoopGLTest : public GlRecordsTest {
 protected:
  void SetUp() override {
    GlRecordsTest::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(windows_.Init()) << windows_.LastError();
    ASSERT_TRUE(app::CreateMainWindow(windows_, a_.win, a_.app, "", 64, 48, true));
    ASSERT_TRUE(app::CreateInitialContext(windows_, a_.win, a_.app, a_.renderer, 64, 48));
    a_.app.perfFrequency = clock_.Frequency();
    scene::SetPose(a_.app.camera, scene::kMenuPosePosition, scene::kMenuPoseAngles);
  }
  void TearDown() override {
    windows_.Shutdown();
    GlRecordsTest::TearDown();
  }
};

TEST_F(MainLoopGLTest, FinishedLoadingIsHandedOverAndRunsAFrameInTheSamePass) {
  a_.app.loadState = app::LoadState::Loaded;
  a_.app.quitRequested = true;  // ends the loop after this pass
  EXPECT_EQ(app::RunMainLoop(a_), 0);
  EXPECT_EQ(a_.app.loadState.load(), app::LoadState::Running);
  EXPECT_EQ(a_.settings.menuShown.value, 1) << "the menu shows once loading is done";
  EXPECT_EQ(a_.stats.frameCount, 1) << "the pass presented one frame";
  // Shutdown stored the pose that differed from the defaults and let go of
  // the window and contexts.
  EXPECT_EQ(StoredInt(u"m_p_x"), 2994);
  EXPECT_EQ(StoredInt(u"m_p_z"), 14292);
  EXPECT_EQ(a_.win.mainWindow, nullptr);
  EXPECT_FALSE(a_.win.mainContext);
}

TEST_F(MainLoopGLTest, QuitMessageEndsTheLoopWithItsCode) {
  a_.app.loadState = app::LoadState::Loaded;
  windows_.PostQuit(5);
  EXPECT_EQ(app::RunMainLoop(a_), 5);
  EXPECT_EQ(a_.app.loadState.load(), app::LoadState::Loaded) << "messages come before frames";
}

}  // namespace
