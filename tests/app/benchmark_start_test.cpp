// A benchmark start (--benchmark) against a recording window system and a
// scripted clock: the run begins after the hand-over frame, reports and ends
// the program with 0; a stop ends it with 130 (or 1) and writes nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>

#include "app/main_loop.h"
#include "app/main_window.h"
#include "platform/virtual_keys.h"
#include "tests/app/app_test_records.h"

namespace {

using app::LoadState;
using platform::fake::RecordingWindowSystem;

std::vector<bench::Keyframe> StraightPath(int count, double durationMs) {
  std::vector<bench::Keyframe> path;
  for (int i = 0; i < count; ++i) {
    path.push_back(
        {0.0f, 300.0f, static_cast<float>(-i), 0.0f, 4.712f, 0.0f, durationMs * i / (count - 1)});
  }
  return path;
}

app::Options Benchmark(app::Options options) {
  options.benchmark = true;
  return options;
}

// A benchmark start whose loading has just finished, in a 160 x 120
// window, with a 30-keyframe path of half a second.
struct Start {
  Start(app::Options options, const app::SettingsStore& store, std::map<int, int> probeAnswers = {})
      : a(windows, clock, power, audio, renderer, Benchmark(std::move(options))) {
    a.store = store;
    a.start.out = &out;
    a.start.err = &err;
    a.win.noMinimumSize = true;
    windows.probeAnswers = std::move(probeAnswers);
    EXPECT_TRUE(app::CreateMainWindow(windows, a.win, a.app, "", 160, 120, true));
    EXPECT_TRUE(app::CreateInitialContext(windows, a.win, a.app, renderer, 160, 120));
    a.app.perfFrequency = clock.Frequency();
    clock.SetDefaultStepMs(5.0);
    a.app.loadState = LoadState::Loaded;
    a.player.keyframes = StraightPath(30, 500.0);
    a.settings.autopilotOn.value = 1;
  }
  RecordingWindowSystem windows;
  platform::fake::ScriptedClock clock;
  platform::fake::RecordingPower power;
  platform::fake::RecordingAudio audio;
  apptest::RecordingRenderer renderer;
  std::ostringstream out, err;
  app::Application a;
};

class BenchmarkStartTest : public apptest::AppRecordsTest {
 protected:
  void ExpectNothingWritten() {
    for (const auto key : {u"last_average_fps", u"last_bench_time", u"last_bench_max_mega_tris"}) {
      EXPECT_EQ(StoredFloat(key), -999.0f) << "a stopped run writes nothing";
    }
    for (const auto key : {u"last_bench_sc_width", u"last_bench_sc_height", u"last_bench_aa",
                           u"last_bench_mode", u"m_p_x", u"m_p_y", u"m_p_z"}) {
      EXPECT_EQ(StoredInt(key), -999) << "a stopped run writes nothing";
    }
  }
  void ExpectOnlyResultKeysWritten() {
    for (const auto key : {u"render_type", u"mit_wasser", u"show_info2", u"m_autopilot", u"m_p_x",
                           u"m_p_y", u"m_p_z", u"m_w_x"}) {
      EXPECT_EQ(StoredInt(key), -999) << "a benchmark start stores only its result";
    }
    EXPECT_EQ(StoredPlacement(), u"none") << "the user's window placement stays";
  }
};

TEST_F(BenchmarkStartTest, RunBeginsAfterTheHandOverFrameReportsAndEndsWithZero) {
  for (const bool jsonToOutput : {false, true}) {
    SCOPED_TRACE(jsonToOutput ? "JSON on standard output" : "JSON in a file");
    const std::filesystem::path jsonFile = root_ / "run.json";
    std::filesystem::remove(jsonFile);
    Start s({.renderType = 0,
             .sampleCount = 4,
             .water = 2,
             .jsonPath = jsonToOutput ? "-" : jsonFile.string()},
            a_.store, {{4, 4}});
    s.a.start.progressOnTerminal = true;
    int firstPlayingPresent = 0;
    s.windows.onPresent = [&](int presents) {
      if (firstPlayingPresent == 0 && s.a.player.playing) firstPlayingPresent = presents;
      if (presents > 200) s.windows.PostQuit(99);
    };
    EXPECT_EQ(app::RunMainLoop(s.a), 0) << s.err.str();

    // The hand-over frame shows the window at its size, applies the
    // antialiasing and hides the menu; the run starts after it.
    EXPECT_GE(s.windows.Find("show normal"), 0);
    EXPECT_EQ(s.windows.Find("show maximised"), -1);
    const int recreated = s.windows.Find("create 160x120 samples 4");
    EXPECT_GE(recreated, 0);
    EXPECT_LT(recreated, s.windows.Find("present 1"));
    EXPECT_EQ(firstPlayingPresent, 2);
    EXPECT_EQ(s.a.settings.menuShown.value, 0);
    EXPECT_EQ(s.a.app.camera.position.z, -29.0f) << "the flight ends on the last keyframe";

    EXPECT_EQ(StoredInt(u"last_bench_sc_width"), 160);
    EXPECT_EQ(StoredInt(u"last_bench_sc_height"), 120);
    EXPECT_EQ(StoredInt(u"last_bench_aa"), 4);
    EXPECT_EQ(StoredInt(u"last_bench_mode"), 2) << "low quality draws the coarsest terrain";
    EXPECT_GT(StoredFloat(u"last_bench_time"), 0.5f);
    EXPECT_GT(StoredFloat(u"last_average_fps"), 0.0f);
    ExpectOnlyResultKeysWritten();

    std::string json, diagnostics = s.err.str();
    const std::string line = "160x120, antialiasing 4x, quality low (detail level 2)";
    if (jsonToOutput) {
      json = s.out.str();
      EXPECT_NE(diagnostics.find(line), std::string::npos) << diagnostics;
    } else {
      std::ifstream in(jsonFile);
      json.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
      EXPECT_NE(s.out.str().find(line), std::string::npos) << s.out.str();
    }
    const nlohmann::json record = nlohmann::json::parse(json);
    EXPECT_EQ(record["width"], 160);
    EXPECT_EQ(record["antialiasing"], 4);
    EXPECT_EQ(record["water"], 2);
    EXPECT_EQ(record["frames"], s.a.player.frames);
    EXPECT_NEAR(record["duration_s"].get<double>(), StoredFloat(u"last_bench_time"), 1e-5);

    // Progress: rewritten in place at most every 250 ms, and wiped before
    // the result.
    const auto rewrites = std::count(diagnostics.begin(), diagnostics.end(), '\r');
    EXPECT_GE(rewrites, 2);
    EXPECT_LE(rewrites, 2 + 2 * (record["duration_s"].get<double>() / 0.25 + 1));
    EXPECT_NE(diagnostics.find(" FPS\r"), std::string::npos);
  }
}

TEST_F(BenchmarkStartTest, StopsEndWithTheirCodeAndWriteNothing) {
  const struct {
    const char* how;
    int expectedCode;
  } cases[] = {{"ctrl-c", 130}, {"escape", 130}, {"close", 130}, {"quit message", 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.how);
    const std::filesystem::path jsonFile = root_ / "run.json";
    Start s({.jsonPath = jsonFile.string()}, a_.store);
    const std::string how = c.how;
    s.windows.onPresent = [&](int presents) {
      if (presents != 4) return;
      EXPECT_TRUE(s.a.player.playing);
      platform::Event event;
      event.windowId = s.a.win.mainWindow->id();
      if (how == "ctrl-c") {
        s.a.start.interrupted = true;
      } else if (how == "escape") {
        event.type = platform::EventType::KeyDown;
        event.vk = platform::vk::kEscape;
        s.windows.QueueEvent(event);
      } else if (how == "close") {
        event.type = platform::EventType::Close;
        s.windows.QueueEvent(event);
      } else {
        s.windows.PostQuit(0);
      }
    };
    EXPECT_EQ(app::RunMainLoop(s.a), c.expectedCode);
    EXPECT_LE(s.windows.presents(), 5) << "the program ends at once";
    EXPECT_FALSE(s.a.player.playing);
    ExpectNothingWritten();
    ExpectOnlyResultKeysWritten();
    EXPECT_FALSE(std::filesystem::exists(jsonFile));
    EXPECT_EQ(s.out.str(), "");
    EXPECT_NE(s.err.str().find("nothing was written"), std::string::npos) << s.err.str();
  }
}

}  // namespace
