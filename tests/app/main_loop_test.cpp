// The main loop, start-up and shutdown against a recording window system and
// a scripted clock: what the program does to its windows and contexts, in
// order.
#include "app/main_loop.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

#include "app/benchmark_run.h"
#include "app/main_window.h"
#include "app/scene_setup.h"
#include "app/start_failure.h"
#include "app/window_proc.h"
#include "lang/language.h"
#include "platform/fake/recording_canvas.h"
#include "platform/fake/recording_debug_output.h"
#include "platform/fake/recording_power.h"
#include "platform/virtual_keys.h"
#include "tests/app/app_test_records.h"

namespace {

using app::LoadState;
using platform::fake::RecordingWindowSystem;

// A counter the test moves: one frame's time at each present.
class FrameClock final : public platform::Clock {
 public:
  int64_t Now() override { return now_; }
  int64_t Frequency() override { return 1000000; }
  void SleepMs(int ms) override { now_ += ms * 1000; }
  void AdvanceUs(int64_t us) { now_ += us; }

 private:
  int64_t now_ = 1000000;
};

// count keyframes evenly over durationMs, flying towards -z one unit each.
std::vector<bench::Keyframe> StraightPath(int count, double durationMs) {
  std::vector<bench::Keyframe> path;
  for (int i = 0; i < count; ++i) {
    path.push_back(
        {0.0f, 300.0f, static_cast<float>(-i), 0.0f, 4.712f, 0.0f, durationMs * i / (count - 1)});
  }
  return path;
}

class MainLoopTest : public apptest::AppRecordsTest {
 protected:
  // The window and context as start-up makes them, without the GL scene.
  void OpenWindow() {
    ASSERT_TRUE(app::CreateMainWindow(windows_, a_.win, a_.app, "", 1024, 768, true));
    ASSERT_TRUE(app::CreateInitialContext(windows_, a_.win, a_.app, a_.renderer, 1024, 768));
    a_.app.perfFrequency = clock_.Frequency();
    clock_.SetDefaultStepMs(20.0);
  }
  int Count(const std::string& entry) const {
    const auto log = windows_.log();
    return static_cast<int>(std::count(log.begin(), log.end(), entry));
  }
  int Sleeps(int ms) const {
    const auto sleeps = clock_.sleeps();
    return static_cast<int>(std::count(sleeps.begin(), sleeps.end(), ms));
  }
  void PostKey(int vk) {
    platform::Event event;
    event.type = platform::EventType::KeyDown;
    event.windowId = a_.win.mainWindow->id();
    event.vk = vk;
    windows_.QueueEvent(event);
  }
};

TEST_F(MainLoopTest, HiddenWindowDrawsNoLoadingFramesThenTheHandOverRunsAFrameInTheSamePass) {
  OpenWindow();
  std::atomic<bool> release{false};
  app::StartAssetLoading(a_, [&] {
    while (!release) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  });
  // Three passes of the loop while loading, then the loader finishes.
  std::thread releaser([&] {
    while (Sleeps(5) < 3) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    release = true;
  });
  windows_.onPresent = [&](int) {
    if (a_.app.loadState == LoadState::Running) windows_.PostQuit(7);
  };
  EXPECT_EQ(app::RunMainLoop(a_), 7);
  releaser.join();

  // Before the terrain exists the window is hidden: the loading passes
  // pause 5 ms each and draw nothing. The hand-over shows the window and
  // the frame of the same pass presents with no pause before it.
  const int shown = windows_.Find("show maximised");
  ASSERT_GE(shown, 0);
  EXPECT_GE(Sleeps(5), 3);
  EXPECT_EQ(windows_.presents(), 1);
  EXPECT_EQ(windows_.Find("make current 1", windows_.Find("release current")), shown - 1)
      << "the main context is made current again before the window shows";
  EXPECT_EQ(windows_.log()[shown + 1], "present 1");
  EXPECT_EQ(a_.settings.menuShown.value, 1) << "the menu shows once loading is done";
  EXPECT_EQ(windows_.liveWindows(), 0);
  EXPECT_EQ(windows_.liveContexts(), 0);
}

TEST(LoadingPacerTest, NextFrameWaitsUntilDrawingTookAFifthOfTheTime) {
  app::LoadingPacer pacer;
  EXPECT_TRUE(app::LoadingFrameDue(pacer, 0.0)) << "the first frame at once";
  struct Step {
    double start, end;  // a frame drawn from start to end
    double notDue, due;
  };
  const Step steps[] = {
      {0.0, 5.0, 24.9, 25.0},            // a graphics card: every 25 ms
      {25.0, 525.0, 2524.0, 2525.0},     // a software renderer: every 2.5 s
      {3000.0, 3000.0, 2999.0, 3000.0},  // a frame that took no time
  };
  for (const Step& step : steps) {
    app::LoadingFrameDrawn(pacer, step.start, step.end);
    EXPECT_FALSE(app::LoadingFrameDue(pacer, step.notDue)) << step.start;
    EXPECT_TRUE(app::LoadingFrameDue(pacer, step.due)) << step.start;
  }
}

TEST_F(MainLoopTest, QuittingWhileLoadingJoinsTheLoaderBeforeReleasingContexts) {
  OpenWindow();
  a_.settings.cameraX.value = 2994;  // unchanged values are not written again
  scene::SetPose(a_.app.camera, scene::kMenuPosePosition, scene::kMenuPoseAngles);
  app::StartAssetLoading(a_, [] { std::this_thread::sleep_for(std::chrono::milliseconds(100)); });
  a_.app.quitRequested = true;
  EXPECT_EQ(app::RunMainLoop(a_), 0);

  const int deleted = windows_.Find("delete context 1");
  ASSERT_GE(deleted, 0);
  const auto log = windows_.log();
  EXPECT_EQ(std::count(log.begin(), log.begin() + deleted, "release current"), 2)
      << "the loader released its context before the main thread deleted any";
  EXPECT_EQ(Count("delete context 1"), 1);
  EXPECT_EQ(Count("delete context 2"), 1);
  EXPECT_EQ(windows_.presents(), 0) << "the hidden window drew no loading frame";
  EXPECT_EQ(a_.settings.menuShown.value, 0);
  EXPECT_EQ(StoredInt(u"m_p_x"), -999);
  EXPECT_EQ(StoredInt(u"m_p_y"), 302);
}

TEST_F(MainLoopTest, QuitMessageComesBeforeFramesAndGivesTheExitCode) {
  OpenWindow();
  a_.app.loadState = LoadState::Loaded;
  windows_.PostQuit(5);
  EXPECT_EQ(app::RunMainLoop(a_), 5);
  EXPECT_EQ(a_.app.loadState.load(), LoadState::Loaded);
  EXPECT_EQ(windows_.presents(), 0);
}

TEST_F(MainLoopTest, EscapeAndF1WhileARunPlaysStopItAndWriteNoResult) {
  OpenWindow();
  a_.app.loadState = LoadState::Running;
  a_.settings.menuShown.value = 0;
  a_.player.keyframes = StraightPath(1620, 60000.0);
  ASSERT_TRUE(app::StartRun(a_));
  EXPECT_TRUE(a_.win.borderless) << "a run plays full screen";
  PostKey(platform::vk::kEscape);
  windows_.onPresent = [&](int presents) {
    if (presents == 1) {
      EXPECT_FALSE(a_.player.playing);
      EXPECT_FALSE(a_.win.borderless) << "Escape leaves full screen";
      a_.settings.menuShown.value = 0;
      EXPECT_TRUE(app::StartRun(a_));
      PostKey(platform::vk::kF1);
    } else {
      windows_.PostQuit(0);
    }
  };
  EXPECT_EQ(app::RunMainLoop(a_), 0);
  EXPECT_FALSE(a_.player.playing);
  EXPECT_FALSE(a_.win.borderless) << "F1 leaves full screen";
  EXPECT_EQ(windows_.presents(), 2);
  EXPECT_FALSE(a_.app.freshResult) << "no Compare without a completed run";
  for (const auto key : {u"last_average_fps", u"last_bench_time", u"last_bench_max_mega_tris"}) {
    EXPECT_EQ(StoredFloat(key), -999.0f) << "a stopped run writes nothing";
  }
  for (const auto key :
       {u"last_bench_sc_width", u"last_bench_sc_height", u"last_bench_aa", u"last_bench_mode"}) {
    EXPECT_EQ(StoredInt(key), -999) << "a stopped run writes nothing";
  }
}

TEST_F(MainLoopTest, RunAtSixtyFramesPerSecondOverASixtySecondPathStoresItsResult) {
  RecordingWindowSystem windows;
  FrameClock clock;
  platform::fake::RecordingPower power;
  app::Application a(windows, clock, power, audio_, renderer_);
  a.store = a_.store;
  ASSERT_TRUE(app::CreateMainWindow(windows, a.win, a.app, "", 1024, 768, true));
  ASSERT_TRUE(app::CreateInitialContext(windows, a.win, a.app, a.renderer, 1024, 768));
  a.app.perfFrequency = clock.Frequency();
  a.app.loadState = LoadState::Running;
  a.settings.menuShown.value = 0;
  a.player.keyframes = StraightPath(1620, 60000.0);
  a.player.maxMegaTris = 7.0f;  // measured before the run
  ASSERT_TRUE(app::StartRun(a));
  EXPECT_EQ(a.player.maxMegaTris, 0.0f) << "each run starts from 0";
  windows.onPresent = [&](int) {
    clock.AdvanceUs(1000000 / 60);
    if (!bench::IsPlaying(a.player)) windows.PostQuit(0);
  };
  app::RunMainLoop(a);

  EXPECT_NEAR(StoredFloat(u"last_bench_time"), 60.0f, 0.05f);
  EXPECT_NEAR(StoredFloat(u"last_average_fps"), 60.0f, 0.1f);
  EXPECT_EQ(StoredFloat(u"last_bench_max_mega_tris"), 0.0f) << "nothing drawn in this run";
  EXPECT_EQ(StoredInt(u"last_bench_sc_width"), 1024);
  EXPECT_EQ(StoredInt(u"last_bench_sc_height"), 768);
  EXPECT_EQ(StoredInt(u"last_bench_mode"), 1);
  EXPECT_EQ(StoredInt(u"last_bench_aa"), -999) << "unchanged from the stored 0, not written";
  EXPECT_EQ(a.app.camera.position.z, -1619.0f) << "the flight ends on the last keyframe";
  EXPECT_EQ(a.settings.menuShown.value, 1);
  EXPECT_EQ(a.menu.page, app::kResultsPage);
  EXPECT_TRUE(a.app.freshResult) << "the results page offers Compare";
  EXPECT_FALSE(a.win.borderless) << "the run leaves full screen";
}

// Once a second the frame rate goes into the title and the highest Mega-Tris
// is kept; with show_info off the HUD is not rebuilt, but the statistics and
// the title go on.
TEST_F(MainLoopTest, EachSecondTitlesTheWindowAndKeepsTheHighestMegaTris) {
  for (const int showInfo : {1, 0}) {
    RecordingWindowSystem windows;
    FrameClock clock;  // starts at tick 1000: the first pass is not a second yet
    platform::fake::RecordingPower power;
    app::Application a(windows, clock, power, audio_, renderer_);
    ASSERT_TRUE(app::CreateMainWindow(windows, a.win, a.app, "", 1024, 768, true));
    ASSERT_TRUE(app::CreateInitialContext(windows, a.win, a.app, a.renderer, 1024, 768));
    a.app.loadState = LoadState::Running;
    a.settings.hudShown.value = showInfo;
    // 20 ms frames of 2 million triangles, from the 61st frame 0.5 million.
    windows.onPresent = [&](int presents) {
      clock.AdvanceUs(20000);
      a.app.frameTriangles = presents <= 60 ? 2000000 : 500000;
      if (presents == 110) windows.PostQuit(0);
    };
    app::RunMainLoop(a);

    SCOPED_TRACE(testing::Message() << "show_info " << showInfo);
    // Seconds end at ticks 1020 (measured from tick 0), 2040 and 3080.
    const auto log = windows.log();
    std::vector<std::string> titles;
    std::copy_if(log.begin(), log.end(), std::back_inserter(titles),
                 [](const std::string& entry) { return entry.starts_with("title "); });
    ASSERT_EQ(titles.size(), 3u);
    EXPECT_EQ(titles.back(), "title 50.0 FPS " + app::ProductTitle() + " - 1024 x 768 ");
    EXPECT_NEAR(a.stats.fps, 52 / 1.04, 1e-9);
    EXPECT_NEAR(a.player.maxMegaTris, 2.0 * 51 / 1.02, 1e-4) << "the second second's, not the last";
    EXPECT_EQ(a.stats.secondTicks, showInfo != 0 ? 0 : 3) << "the HUD takes each second's rebuild";
  }
}

// A running frame: the HUD's text and the menu's canvas are made first, the
// scene is drawn, then the menu and the HUD over it, then the frame is
// presented; the scene's triangles are the frame's count. A loading frame
// clears and draws the loading page alone until the terrain exists.
TEST_F(MainLoopTest, AFrameDrawsTheSceneThenTheMenuAndTheHudOverIt) {
  OpenWindow();
  const auto createCanvas = [](int width, int height) {
    return std::make_unique<platform::fake::RecordingCanvas>(width, height);
  };
  a_.menu.hooks.createCanvas = createCanvas;
  renderer_.sceneTriangles = 1234;
  a_.app.loadState = LoadState::Running;
  a_.settings.menuShown.value = 1;
  a_.settings.renderPass.value = 1;
  a_.stats.secondTicks = 1;
  windows_.onPresent = [&](int) { windows_.PostQuit(0); };
  renderer_.Clear();
  app::RunMainLoop(a_);
  const std::vector<std::string> frame{
      "build hud",         "upload menu",   "fill", "scene water 1024x768",
      "overlays 1024x768", "menu 1024x768", "hud"};
  EXPECT_EQ(renderer_.log(), frame);
  EXPECT_EQ(a_.app.frameTriangles, 1234);
  EXPECT_EQ(a_.stats.secondTicks, 0);

  app::Application loading(windows_, clock_, power_, audio_, renderer_);
  ASSERT_TRUE(app::CreateMainWindow(windows_, loading.win, loading.app, "", 640, 480, true));
  ASSERT_TRUE(app::CreateInitialContext(windows_, loading.win, loading.app, renderer_, 640, 480));
  loading.win.mainWindow->Show(platform::ShowState::Normal);
  loading.menu.hooks.createCanvas = createCanvas;
  windows_.onPresent = [&](int) { windows_.PostQuit(0); };
  renderer_.Clear();
  app::RunMainLoop(loading);
  EXPECT_EQ(renderer_.log(),
            (std::vector<std::string>{"clear 640x480", "upload menu", "menu 640x480"}));
}

// What a run and the autopilot ask of the power service, pass by pass.
TEST_F(MainLoopTest, KeepAwakeAndPriorityFollowTheRunAndTheAutopilot) {
  enum class Run { None, ToTheEnd, StoppedByEscape };
  const std::vector<std::string> raisedThenBack{"keep awake", "read priority", "raise priority",
                                                "allow sleep", "set priority 0"};
  const struct {
    const char* name;
    int autopilot;
    Run run;
    bool refuseRaise;
    std::vector<std::string> calls;
  } cases[] = {
      {"the autopilot flies",
       1,
       Run::None,
       false,
       {"keep awake", "read priority", "set priority 0"}},
      {"neither: the system may sleep",
       0,
       Run::None,
       false,
       {"allow sleep", "read priority", "set priority 0"}},
      {"a run to its end", 0, Run::ToTheEnd, false, raisedThenBack},
      {"a run stopped by Escape", 0, Run::StoppedByEscape, false, raisedThenBack},
      {"a refused raise", 0, Run::ToTheEnd, true, raisedThenBack},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingWindowSystem windows;
    FrameClock clock;
    platform::fake::RecordingPower power;
    power.refuseRaise = c.refuseRaise;
    platform::fake::RecordingMessageBox boxes;
    app::Application a(windows, clock, power, audio_, renderer_);
    ASSERT_TRUE(app::CreateMainWindow(windows, a.win, a.app, "", 1024, 768, true));
    ASSERT_TRUE(app::CreateInitialContext(windows, a.win, a.app, a.renderer, 1024, 768));
    a.app.loadState = LoadState::Running;
    a.settings.menuShown.value = 0;
    a.settings.autopilotOn.value = c.autopilot;
    a.player.keyframes = StraightPath(4, 60.0);
    if (c.run != Run::None) {
      ASSERT_TRUE(app::StartRun(a));
    }
    int presentsAfterRun = 0;
    int firstFramePriority = 99;
    windows.onPresent = [&](int presents) {
      clock.AdvanceUs(20000);
      if (presents == 1) firstFramePriority = power.priority;
      if (presents == 2 && c.run == Run::StoppedByEscape) {
        platform::Event escape;
        escape.type = platform::EventType::KeyDown;
        escape.windowId = a.win.mainWindow->id();
        escape.vk = platform::vk::kEscape;
        windows.QueueEvent(escape);
      }
      // One more pass after the run, for the statistics to see its end.
      if (!bench::IsPlaying(a.player) && ++presentsAfterRun == 2) windows.PostQuit(0);
    };
    app::RunMainLoop(a);

    EXPECT_EQ(power.log(), c.calls);
    const bool raised = c.run != Run::None && !c.refuseRaise;
    EXPECT_EQ(firstFramePriority, raised ? power.raisedPriority : 0);
    EXPECT_EQ(power.priority, 0) << "the thread runs at its own priority again";
    EXPECT_TRUE(boxes.boxes().empty()) << "a refusal shows nothing";
    EXPECT_EQ(a.menu.page == app::kResultsPage, c.run == Run::ToTheEnd)
        << "a run whose raise was refused plays to its end all the same";
  }
}

TEST_F(MainLoopTest, NewSampleCountRecreatesTheContextSharingObjects) {
  const struct {
    int answer;  // what the driver gives for 4 samples
    const char* created;
    std::u16string label;
  } cases[] = {{4, "create 1024x768 samples 4", u"MSAA: 4 X"}, {0, "create 1024x768", u"Off"}};
  for (const auto& c : cases) {
    RecordingWindowSystem windows;
    platform::fake::ScriptedClock clock;
    platform::fake::RecordingPower power;
    app::Application a(windows, clock, power, audio_, renderer_);
    a.settings.waitForRefresh.value = 1;
    windows.probeAnswers = {{4, c.answer}};
    ASSERT_TRUE(app::CreateMainWindow(windows, a.win, a.app, "", 1024, 768, true));
    ASSERT_TRUE(app::CreateInitialContext(windows, a.win, a.app, a.renderer, 1024, 768));
    a.app.loadState = LoadState::Running;
    a.win.sampleCount = 4;
    a.win.pixelFormatPending = true;
    windows.onPresent = [&](int) { windows.PostQuit(0); };
    windows.ClearLog();
    renderer_.Clear();
    app::RunMainLoop(a);

    // The screen matrices are kept around the change; the new context gets
    // the viewport and the scene's defaults.
    const std::vector<std::string> drawn{"push matrices 1024x768", "perspective 1024x768",
                                         "scene defaults", "pop matrices"};
    ASSERT_GE(renderer_.log().size(), drawn.size());
    EXPECT_EQ(std::vector<std::string>(renderer_.log().begin(), renderer_.log().begin() + 4),
              drawn);
    const std::vector<std::string> recreate{c.created,
                                            "create context 2 shared",
                                            "icon 64x64",
                                            "place 0,0,1024,768",
                                            "hide",
                                            "make current 2",
                                            "hide",
                                            "swap interval 1",
                                            "destroy window 1",
                                            "present 1"};
    const auto log = windows.log();
    ASSERT_GE(log.size(), recreate.size());
    EXPECT_EQ(std::vector<std::string>(log.begin(), log.begin() + recreate.size()), recreate);
    EXPECT_EQ(a.win.antialiasLabel, c.label);
    EXPECT_FALSE(a.win.pixelFormatPending);
    // The first context lives until shutdown: later contexts share its objects.
    EXPECT_EQ(std::count(log.begin(), log.end(), "delete context 1"), 1);
    EXPECT_GT(windows.Find("delete context 1"), windows.Find("present 1"));
    EXPECT_EQ(windows.liveContexts(), 0);
  }
}

TEST_F(MainLoopTest, ShutdownStoresPoseAndRestorePlacementThenReleasesInOrder) {
  OpenWindow();
  a_.app.loadState = LoadState::Running;
  a_.win.mainWindow->SetWindowRect({40, 30, 1064, 798});
  a_.win.mainWindow->Show(platform::ShowState::Maximized);
  a_.win.displayModeChanged = true;
  scene::SetPose(a_.app.camera, {150.9f, -20.5f, 7.0f}, {1.0f, 2.0f, 3.0f});
  a_.settings.autopilotOn.value = 0;
  windows_.onPresent = [&](int) { windows_.PostQuit(0); };
  app::RunMainLoop(a_);

  EXPECT_EQ(StoredInt(u"m_p_x"), 150);
  EXPECT_EQ(StoredInt(u"m_p_y"), -20);
  EXPECT_FLOAT_EQ(StoredFloat(u"m_w_z"), 3.0f);
  // A maximised window stores where it returns to, with show command 3.
  EXPECT_EQ(StoredPlacement(), u"40;30;1064;798;3;x,y,w,h,SW");
  const std::vector<int> order{windows_.Find("release current"), windows_.Find("delete context 1"),
                               windows_.Find("restore display mode"), windows_.Find("show cursor"),
                               windows_.Find("destroy window 1")};
  EXPECT_TRUE(std::is_sorted(order.begin(), order.end()));
  EXPECT_GT(order.front(), windows_.Find("present 1"));
  EXPECT_EQ(clock_.sleeps().back(), 10);
}

TEST_F(MainLoopTest, CameraInputReachesTheCameraOnlyWithMenuHiddenNoRunAndFocus) {
  const struct {
    int menu;
    bool playing, focus, moves;
  } cases[] = {{0, false, true, true},
               {1, false, true, false},
               {0, true, true, false},
               {0, false, false, false}};
  for (const auto& c : cases) {
    RecordingWindowSystem windows;
    platform::fake::ScriptedClock clock;
    platform::fake::RecordingPower power;
    app::Application a(windows, clock, power, audio_, renderer_);
    ASSERT_TRUE(app::CreateMainWindow(windows, a.win, a.app, "", 1024, 768, true));
    ASSERT_TRUE(app::CreateInitialContext(windows, a.win, a.app, a.renderer, 1024, 768));
    a.app.loadState = LoadState::Running;
    a.settings.menuShown.value = c.menu;
    a.settings.autopilotOn.value = 0;
    a.player.playing = c.playing;
    windows.keyboardFocus = c.focus;
    scene::SetPose(a.app.camera, {0.0f, 100.0f, 0.0f}, {1.0f, 5.0f, 0.0f});
    a.app.camera.lastCursor = {100, 100};
    // W held and a 500-pixel drag to the right with the left button.
    platform::Event key;
    key.type = platform::EventType::KeyDown;
    key.windowId = a.win.mainWindow->id();
    key.vk = 'W';
    windows.QueueEvent(key);
    windows.mouseX = 600;
    windows.mouseY = 100;
    windows.mouseLeft = true;
    windows.onPresent = [&](int) { windows.PostQuit(0); };
    app::RunMainLoop(a);

    SCOPED_TRACE(testing::Message()
                 << "menu " << c.menu << " playing " << c.playing << " focus " << c.focus);
    EXPECT_EQ(a.input.keyDown['W'], 1);
    const scene::Camera& camera = a.app.camera;
    if (c.moves) {
      EXPECT_FLOAT_EQ(camera.yaw, 2.0f);
      // The first frame's time is the initial 50 ms: a step of 12.5 forward.
      EXPECT_NEAR(camera.position.x, -12.5f * camera.back.x, 1e-3f);
      EXPECT_NEAR(camera.position.z, -12.5f * camera.back.z, 1e-3f);
    } else {
      EXPECT_FLOAT_EQ(camera.yaw, 1.0f);
      EXPECT_FLOAT_EQ(camera.position.x, 0.0f);
      EXPECT_FLOAT_EQ(camera.position.y, 100.0f);
      EXPECT_FLOAT_EQ(camera.position.z, 0.0f);
    }
  }
}

TEST_F(MainLoopTest, TheAutopilotFliesRunningFramesOnlyWhileOn) {
  platform::fake::RecordingDebugOutput output;
  for (const int autopilot : {1, 0}) {
    RecordingWindowSystem windows;
    platform::fake::ScriptedClock clock;
    platform::fake::RecordingPower power;
    app::Application a(windows, clock, power, audio_, renderer_);
    ASSERT_TRUE(app::CreateMainWindow(windows, a.win, a.app, "", 1024, 768, true));
    ASSERT_TRUE(app::CreateInitialContext(windows, a.win, a.app, a.renderer, 1024, 768));
    a.app.loadState = LoadState::Running;
    a.settings.menuShown.value = 1;
    a.settings.autopilotOn.value = autopilot;
    scene::SetPose(a.app.camera, {5.0f, 100.0f, 5.0f}, {1.0f, 5.0f, 0.0f});
    windows.onPresent = [&](int) { windows.PostQuit(0); };
    app::RunMainLoop(a);
    // With no terrain built the ground reads 0 (clearance 0 - (100 - 150))
    // and every point is off the island: the autopilot restarts at the centre.
    EXPECT_FLOAT_EQ(a.app.camera.position.y, autopilot != 0 ? 130.0f : 100.0f);
  }
  EXPECT_EQ(output.texts(), std::vector<std::string>{"50.000000 100.000000\n"});
}

TEST_F(MainLoopTest, AFailedGlCheckTellsWhatIsMissingAndEndsWithStatus1) {
  platform::fake::RecordingMessageBox boxes;
  ASSERT_TRUE(app::CreateMainWindow(windows_, a_.win, a_.app, "", 1024, 768, true));
  // No GL behind the recording window: the multitexturing check fails first.
  EXPECT_FALSE(app::InitGlScene(a_));
  EXPECT_FALSE(a_.app.shadersAvailable);
  EXPECT_FALSE(a_.scene.terrainProgram.complete());
  EXPECT_EQ(a_.scene.terrainProgram.m_hProgramObject, 0u);
  const app::StartFailureMessage expected =
      app::DescribeStartFailure(app::StartFailure::Multitexture, lang::UiLanguage());
  ASSERT_EQ(boxes.boxes().size(), 1u) << "one box, for the first thing missing";
  EXPECT_EQ(boxes.boxes()[0].text, expected.text);
  EXPECT_EQ(boxes.boxes()[0].caption, expected.caption);
  EXPECT_NE(expected.text.find(u"GL_ARB_multitexture"), std::u16string::npos);
  EXPECT_TRUE(audio_.log().empty()) << "nothing is made after the failed check";
  EXPECT_GE(windows_.Find("post quit 1"), 0);
  EXPECT_EQ(app::RunMainLoop(a_), app::kExitStartFailed);
  EXPECT_EQ(windows_.presents(), 0) << "the quit message ends the loop before any frame";
}

TEST_F(MainLoopTest, LoadingFramesDrawAtTheLevelTheRunningFramesUse) {
  platform::fake::RecordingMessageBox boxes;
  ASSERT_TRUE(app::CreateMainWindow(windows_, a_.win, a_.app, "", 1024, 768, true));
  for (const int renderType : {0, 1, 2}) {
    SCOPED_TRACE(renderType);
    a_.settings.quality.value = renderType;
    app::WriteSetting(a_.store, a_.settings.quality);
    a_.settings.quality.value = -1;
    app::InitGlScene(a_);  // reads the stored settings before its GL checks
    EXPECT_EQ(a_.scene.detailLevel, app::DetailLevelFromRenderType(renderType, -1));
  }
}

}  // namespace
