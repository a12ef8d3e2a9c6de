// Start-up in order, on a real headless context: the GL set-up and the
// loading of the whole scene, with the progress texts between the steps and
// the scene's readiness at each text.
#include <string>
#include <vector>

#include "app/main_loop.h"
#include "app/main_window.h"
#include "app/scene_setup.h"
#include "app/wait_window.h"
#include "lang/language.h"
#include "platform/debug_output.h"
#include "platform/fake/recording_message_box.h"
#include "platform/fake/recording_wait_window.h"
#include "platform/sdl/sdl_window_system.h"
#include "tests/app/app_test_records.h"

namespace {

using GlRecordsTest = apptest::AppRecordsTestOver<platform::sdl::SdlWindowSystem, app::GlRenderer>;

class StartupOrderGLTest : public GlRecordsTest {
 protected:
  void SetUp() override {
    GlRecordsTest::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(lang::LoadStringArchive());
    lang::SetUiLanguage(1);  // English
    ASSERT_TRUE(windows_.Init()) << windows_.LastError();
    ASSERT_TRUE(app::CreateMainWindow(windows_, a_.win, a_.app, "", 160, 120, true));
    a_.wait.create = [this](const platform::WaitWindowInfo& info) {
      return platform::fake::CreateRecordingWaitWindow(waitLog_, info);
    };
    a_.app.perfFrequency = clock_.Frequency();
  }
  void TearDown() override {
    a_.wait.window.reset();
    platform::SetDebugOutputHandler({});
    app::Shutdown(a_);
    windows_.Shutdown();
    GlRecordsTest::TearDown();
  }

  platform::fake::WaitWindowLog waitLog_;
  platform::fake::RecordingMessageBox boxes_;
};

// Each "startup:" line without its time; each text with the scene's
// readiness when it was shown ("level/ready").
std::string Entry(std::string_view line, const app::Application& a) {
  std::string entry(line.substr(9, line.size() - 10));
  if (entry.rfind("text ", 0) == 0) {
    return entry + " " + std::to_string(a.scene.sceneReadyLevel.load()) + "/" +
           std::to_string(a.app.sceneReady.load());
  }
  return entry.substr(0, entry.rfind(' ', entry.rfind(' ') - 1));
}

TEST_F(StartupOrderGLTest, StepsAndTextsComeInOrderWithTheSceneReadyBetween) {
  std::vector<std::string> trace;
  platform::SetDebugOutputHandler([&](std::string_view line) {
    if (line.rfind("startup: ", 0) == 0) trace.push_back(Entry(line, a_));
  });
  app::StartWaitWindow(a_.wait, clock_);
  app::InitGlScene(a_);
  ASSERT_TRUE(a_.win.mainContext);
  app::LoadSceneAssets(a_.app, a_.scene, a_.progress, a_.renderer);

  const std::vector<std::string> expected = {
      "context",
      "entry points, settings, sounds",
      "text \"Please wait\" 0/0",
      "text \"OpenGL Test\" 0/0",
      "shader check, HUD",
      "camera, benchmark path",
      "shader programs",
      "terrain textures",
      "caustics, sky, water maps",
      "text \"Terrain is being loaded\" 0/0",
      "terrain",
      "text \"Terrain is loaded\" 1/1",
      "models",
      "text \"Objects are being prepared\" 1/1",
      "text \"Objects are being prepared: 1/6\" 1/1",
      "objects 1/6",
      "text \"Objects are being prepared: 2/6\" 1/1",
      "objects 2/6",
      "text \"Objects are being prepared: 3/6\" 1/1",
      "objects 3/6",
      "text \"Objects are being prepared: 4/6\" 1/1",
      "objects 4/6",
      "text \"Objects are being prepared: 5/6\" 1/1",
      "objects 5/6",
      "text \"Objects are being prepared: 6/6\" 1/1",
      "objects 6/6",
      "text \"Standby if inactive--- OK ---\" 3/1",
  };
  EXPECT_EQ(trace, expected);

  // The set-up's texts were painted into the wait window as they came; the
  // loader's wait for the main thread.
  const std::vector<std::u16string> paints = waitLog_.paints();
  EXPECT_EQ(paints,
            (std::vector<std::u16string>{u"\n....", u"Please wait\n....", u"OpenGL Test\n...."}));
  EXPECT_EQ(a_.menu.loadingText, u"OpenGL Test");
  ASSERT_EQ(a_.progress.Take(), u"Standby if inactive--- OK ---");
  EXPECT_FALSE(a_.scene.objects.palm.instances.empty()) << "the plants were placed";
}

}  // namespace
