#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "app/main_loop.h"
#include "app/main_window.h"

namespace {

namespace fs = std::filesystem;

// The real loop over records of its own, a hidden offscreen window and a
// settings file in a scratch folder.
class MainLoopGLTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string name = (fs::temp_directory_path() / "mg-loop-XXXXXX").string();
    ASSERT_NE(mkdtemp(name.data()), nullptr);
    root_ = name;
    app::LocateSettingsFile(store_, {root_ / "bin" / "morvandel-gauge", root_ / "tmp", root_});
    ASSERT_TRUE(platform::InitVideo()) << platform::LastError();
    ASSERT_TRUE(app::CreateMainWindow(win_, app_, "", 64, 48, true));
    ASSERT_TRUE(app::CreateInitialContext(win_, app_, 64, 48));
    app_.perfFrequency = 1000000000;
    scene::SetPose(app_.camera, scene::kMenuPosePosition, scene::kMenuPoseAngles);
  }
  void TearDown() override {
    platform::QuitVideo();
    fs::remove_all(root_);
  }
  int StoredInt(std::u16string_view key) {
    return app::ReadIntSetting(store_, store_.productSection, key, -999, -1, -1);
  }

  fs::path root_;
  app::AppState app_;
  app::WindowState win_;
  app::InputState input_;
  app::SettingsStore store_;
  app::AppSettings settings_;
  gui::MenuOverlay menu_;
  bench::BenchmarkPlayer player_;
  app::WindowProcContext ctx_{app_, win_, input_, store_, settings_, menu_, player_};
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
