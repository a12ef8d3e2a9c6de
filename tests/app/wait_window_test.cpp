// The wait window and the progress texts of start-up, against a recording
// wait window, a recording window system and a scripted clock.
#include "app/wait_window.h"

#include <atomic>
#include <chrono>
#include <thread>

#include "app/main_loop.h"
#include "app/main_window.h"
#include "app/scene_setup.h"
#include "app/wait_animation.h"
#include "platform/fake/recording_canvas.h"
#include "platform/fake/recording_wait_window.h"
#include "platform/virtual_keys.h"
#include "tests/app/app_test_records.h"

namespace {

using app::LoadState;

TEST(WaitAnimationTest, DotsGrowOneAStepAndStartAgainAfterTwentyOneSteps) {
  app::WaitAnimation animation;
  app::SetWaitMessage(animation, u"Terrain");
  std::vector<std::u16string> shown;
  for (int step = 0; step < 23; ++step) {
    ASSERT_TRUE(app::AnimateWait(animation)) << "every step shows a new text, step " << step;
    shown.push_back(animation.shownText);
  }
  EXPECT_EQ(shown[0], u"Terrain\n....");
  EXPECT_EQ(shown[1], u"Terrain\n.....");
  EXPECT_EQ(shown[20], u"Terrain\n...." + std::u16string(20, u'.'));
  EXPECT_EQ(shown[21], shown[0]) << "the 22nd step starts the row again";
  EXPECT_EQ(shown[22], shown[1]);

  // A new message starts the dots again; a dot count out of range too.
  app::SetWaitMessage(animation, u"Objects");
  ASSERT_TRUE(app::AnimateWait(animation));
  EXPECT_EQ(animation.shownText, u"Objects\n....");
  animation.dotCount = -3;
  EXPECT_FALSE(app::AnimateWait(animation)) << "the same text is not painted again";
  EXPECT_EQ(animation.shownText, u"Objects\n....");
}

class WaitWindowTest : public apptest::AppRecordsTest {
 protected:
  void SetUp() override {
    apptest::AppRecordsTest::SetUp();
    a_.wait.create = [this](const platform::WaitWindowInfo& info) {
      return platform::fake::CreateRecordingWaitWindow(waitLog_, info, kWaitId);
    };
    a_.app.perfFrequency = clock_.Frequency();
  }
  // The window records into the log, which goes first.
  void TearDown() override {
    a_.wait.window.reset();
    apptest::AppRecordsTest::TearDown();
  }
  void OpenWindow() {
    ASSERT_TRUE(app::CreateMainWindow(windows_, a_.win, a_.app, "", 1024, 768, true));
    ASSERT_TRUE(app::CreateInitialContext(windows_, a_.win, a_.app, a_.renderer, 1024, 768));
  }
  platform::Event Key(uint32_t window, int vk) {
    platform::Event event;
    event.type = platform::EventType::KeyDown;
    event.windowId = window;
    event.vk = vk;
    return event;
  }
  bool Logged(const std::string& entry) const {
    const auto entries = waitLog_.entries();
    return std::find(entries.begin(), entries.end(), entry) != entries.end();
  }

  static constexpr uint32_t kWaitId = 900;
  platform::fake::WaitWindowLog waitLog_;
};

TEST_F(WaitWindowTest, OpensCentredWithTitleClassAndPictureAndPaintsAtOnce) {
  app::StartWaitWindow(a_.wait, clock_);
  const auto entries = waitLog_.entries();
  ASSERT_EQ(entries.size(), 2u);
  // The picture is the embedded island, decoded; its size is the image's own.
  EXPECT_EQ(entries[0].rfind("create 798x244 Morvandel.Gauge class "
                             "EAAF81C3_4560_43FE_B729_44A378D1FCF4 picture ",
                             0),
            0u)
      << entries[0];
  EXPECT_EQ(entries[0].find("picture 0x0"), std::string::npos) << "the picture decodes";
  EXPECT_EQ(entries[1], "paint \n....");
}

TEST_F(WaitWindowTest, DotsMoveOnlyWhenAStepIsDue) {
  app::StartWaitWindow(a_.wait, clock_);
  app::SetWaitText(a_.wait, clock_, u"OpenGL Test");
  app::AnimateWaitWindow(a_.wait, clock_);  // no time has passed
  clock_.SleepMs(app::kWaitStepMs);
  app::AnimateWaitWindow(a_.wait, clock_);
  const auto paints = waitLog_.paints();
  ASSERT_EQ(paints.size(), 3u);
  EXPECT_EQ(paints[1], u"OpenGL Test\n....");
  EXPECT_EQ(paints[2], u"OpenGL Test\n.....");
}

TEST_F(WaitWindowTest, EscapeOrClosingItCancelsTheStart) {
  for (const platform::Event& event :
       {Key(kWaitId, platform::vk::kEscape), Key(0, platform::vk::kEscape),
        platform::Event{platform::EventType::Close, kWaitId}}) {
    SCOPED_TRACE(static_cast<int>(event.type));
    a_.app.quitRequested = false;
    app::StartWaitWindow(a_.wait, clock_);
    EXPECT_TRUE(app::HandleWaitWindowEvent(a_, event));
    EXPECT_TRUE(a_.app.quitRequested);
    EXPECT_EQ(a_.wait.window, nullptr);
    platform::Event quit;
    ASSERT_TRUE(windows_.PollEvent(quit));
    EXPECT_EQ(quit.type, platform::EventType::Quit);
    EXPECT_EQ(quit.code, 0);
  }
  // Without a wait window, Escape belongs to the main window again.
  EXPECT_FALSE(app::HandleWaitWindowEvent(a_, Key(0, platform::vk::kEscape)));
}

TEST_F(WaitWindowTest, PumpingKeepsOtherWindowsEventsInOrderForTheLoop) {
  app::StartWaitWindow(a_.wait, clock_);
  windows_.QueueEvent(Key(1, platform::vk::kF1));
  windows_.QueueEvent(Key(kWaitId, platform::vk::kSpace));  // the wait window's: dropped
  windows_.QueueEvent(Key(1, platform::vk::kF11));
  app::PumpWaitWindow(a_);
  EXPECT_FALSE(a_.app.quitRequested);
  platform::Event event;
  ASSERT_TRUE(app::NextEvent(a_.wait, windows_, event));
  EXPECT_EQ(event.vk, platform::vk::kF1);
  ASSERT_TRUE(app::NextEvent(a_.wait, windows_, event));
  EXPECT_EQ(event.vk, platform::vk::kF11);
  EXPECT_FALSE(app::NextEvent(a_.wait, windows_, event));
}

// The loader thread posts texts while the main thread shows them: the main
// thread alone writes the menu and paints the wait window.
TEST_F(WaitWindowTest, TextsPostedByTheLoaderAreShownByTheMainThread) {
  app::StartWaitWindow(a_.wait, clock_);
  std::thread loader([this] {
    for (int i = 0; i < 200; ++i) app::ShowLoadingText(a_.progress, u"step");
    app::ShowLoadingText(a_.progress, u"Terrain is loaded");
  });
  for (int i = 0; i < 200; ++i) app::ApplyLoadingText(a_.progress, a_.menu, a_.wait, clock_);
  loader.join();
  app::ApplyLoadingText(a_.progress, a_.menu, a_.wait,
                        clock_);  // whatever the loop had not taken yet
  EXPECT_EQ(a_.menu.loadingText, u"Terrain is loaded");
  EXPECT_EQ(waitLog_.paints().back(), u"Terrain is loaded\n....");
  a_.menu.dirty = false;
  app::ApplyLoadingText(a_.progress, a_.menu, a_.wait, clock_);
  EXPECT_FALSE(a_.menu.dirty) << "a text is shown once";
  app::ShowLoadingText(a_.progress, u"Palms are loaded");
  app::ApplyLoadingText(a_.progress, a_.menu, a_.wait, clock_);
  EXPECT_EQ(a_.menu.loadingText, u"Palms are loaded");
  EXPECT_TRUE(a_.menu.dirty) << "the menu repaints with the new text";
}

// The loading page shows each progress text over its row of dots.
TEST_F(WaitWindowTest, LoadingPageShowsEachProgressText) {
  a_.menu.hooks.createCanvas = [](int width, int height) {
    return std::make_unique<platform::fake::RecordingCanvas>(width, height);
  };
  a_.menu.page = gui::kLoadingPage;
  for (const std::u16string text :
       {u"Please wait", u"OpenGL Test", u"Terrain is being loaded", u"Terrain is loaded",
        u"Objects are being prepared", u"Objects are being prepared: 3/6",
        u"Standby if inactive--- OK ---"}) {
    app::ShowLoadingText(a_.progress, text);
    app::ApplyLoadingText(a_.progress, a_.menu, a_.wait, clock_);
    a_.menu.progressDots = 2.0f;
    ASSERT_TRUE(gui::PaintMenu(a_.menu, 1024, 768));
    const auto& calls = static_cast<platform::fake::RecordingCanvas&>(*a_.menu.canvas).calls;
    const auto drawn = std::find_if(calls.rbegin(), calls.rend(), [](const auto& call) {
      return call.kind == platform::fake::CanvasCall::Kind::Text;
    });
    ASSERT_NE(drawn, calls.rend());
    EXPECT_EQ(drawn->text, u"\n\n\n" + text + u"\n......");
  }
}

// Escape while the loader works: the program waits for loading to end and
// then stops without running a frame.
TEST_F(WaitWindowTest, EscapeWhileLoadingEndsAfterLoadingWithoutAFrame) {
  OpenWindow();
  app::StartWaitWindow(a_.wait, clock_);
  std::atomic<bool> release{false};
  std::atomic<bool> finished{false};
  app::StartAssetLoading(a_, [&] {
    while (!release) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    app::ShowLoadingText(a_.progress, u"done");
    finished = true;
  });
  windows_.QueueEvent(Key(kWaitId, platform::vk::kEscape));
  // The loader only ends once the loop has stopped: it still loads then.
  std::thread releaser([&] {
    while (!a_.app.quitRequested) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    release = true;
  });
  EXPECT_EQ(app::RunMainLoop(a_), 0);
  releaser.join();
  EXPECT_TRUE(finished) << "loading ran to its end";
  EXPECT_EQ(windows_.presents(), 0) << "no frame: the window stayed hidden and never ran one";
  EXPECT_NE(a_.app.loadState.load(), LoadState::Running);
  EXPECT_EQ(windows_.Find("show maximised"), -1);
  EXPECT_TRUE(Logged("destroy"));
}

}  // namespace
