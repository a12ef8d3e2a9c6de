#include "tools/scene-shot/shot_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/settings/app_settings.h"
#include "app/settings/settings_store.h"

namespace {

shot::ShotCommandLine Parse(std::vector<std::string> args) {
  args.insert(args.begin(), "scene-shot");
  std::vector<const char*> argv;
  for (const std::string& arg : args) argv.push_back(arg.c_str());
  return shot::ParseShotCommandLine(static_cast<int>(argv.size()), argv.data());
}

TEST(SceneShotOptions, DefaultsAreTheMenuViewOfTheProgram) {
  const shot::ShotCommandLine parsed = Parse({"out.png"});
  ASSERT_TRUE(parsed.options) << parsed.text;
  const shot::ShotOptions& o = *parsed.options;
  EXPECT_EQ(o.pass, scene::PassSelector::Water);
  EXPECT_EQ(shot::MitWasserForPass(o.pass), 1);
  EXPECT_EQ(o.detail, 1);
  EXPECT_EQ(o.waterHeight, 131.5f);
  EXPECT_EQ(o.width, 640);
  EXPECT_EQ(o.height, 480);
  EXPECT_EQ(o.position.x, scene::kMenuPosePosition.x);
  EXPECT_EQ(o.position.z, scene::kMenuPosePosition.z);
  EXPECT_EQ(o.angles.y, scene::kMenuPoseAngles.y);
  EXPECT_EQ(o.timeMs, 0.0);
  EXPECT_EQ(o.outPath, "out.png");
  EXPECT_FALSE(o.menuPage);
  EXPECT_EQ(o.language, 1);
  EXPECT_FALSE(o.result);
}

TEST(SceneShotOptions, EachOptionIsRead) {
  const shot::ShotCommandLine parsed =
      Parse({"--pass", "simple", "--detail", "2", "--water=-12.25", "--size", "64x48", "--pose",
             "-1.5,2,3e2,0.25,-6.25,7", "--time", "1500.5", "shot.png"});
  ASSERT_TRUE(parsed.options) << parsed.text;
  const shot::ShotOptions& o = *parsed.options;
  EXPECT_EQ(shot::MitWasserForPass(o.pass), 2);
  EXPECT_EQ(o.detail, 2);
  EXPECT_EQ(o.waterHeight, -12.25f);
  EXPECT_EQ(o.width, 64);
  EXPECT_EQ(o.height, 48);
  EXPECT_EQ(o.position.x, -1.5f);
  EXPECT_EQ(o.position.y, 2.0f);
  EXPECT_EQ(o.position.z, 300.0f);
  EXPECT_EQ(o.angles.x, 0.25f);
  EXPECT_EQ(o.angles.y, -6.25f);
  EXPECT_EQ(o.angles.z, 7.0f);
  EXPECT_EQ(o.timeMs, 1500.5);
  EXPECT_EQ(shot::MitWasserForPass(Parse({"--pass", "plain", "a.png"}).options->pass), 0);

  const shot::ShotCommandLine menu =
      Parse({"--menu", "5", "--language", "17", "--result", "42.5,61.25", "menu.png"});
  ASSERT_TRUE(menu.options) << menu.text;
  EXPECT_EQ(menu.options->menuPage, 5);
  EXPECT_EQ(menu.options->language, 17);
  ASSERT_TRUE(menu.options->result);
  EXPECT_EQ(menu.options->result->first, 42.5f);
  EXPECT_EQ(menu.options->result->second, 61.25f);
}

TEST(SceneShotOptions, HelpPrintsUsageAndEndsWithZero) {
  const shot::ShotCommandLine parsed = Parse({"--help"});
  EXPECT_FALSE(parsed.options);
  EXPECT_EQ(parsed.exitCode, 0);
  EXPECT_NE(parsed.text.find("--pose"), std::string::npos);
}

// Every malformed command line ends with 2 and one line saying why, before
// any window is opened.
TEST(SceneShotOptions, BadCommandLinesExitWithTwo) {
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"a.png", "b.png"},
      {"--bogus", "a.png"},
      {"--pass", "reflect", "a.png"},
      {"--detail", "3", "a.png"},
      {"--detail", "-1", "a.png"},
      {"--detail", "one", "a.png"},
      {"--water", "high", "a.png"},
      {"--water", "nan", "a.png"},
      {"--water", "", "a.png"},
      {"--size", "640", "a.png"},
      {"--size", "640x", "a.png"},
      {"--size", "0x480", "a.png"},
      {"--size", "-64x48", "a.png"},
      {"--size", "64x48x2", "a.png"},
      {"--size", "99999x480", "a.png"},
      {"--size", "64 x48", "a.png"},
      {"--pose", "1,2,3,4,5", "a.png"},
      {"--pose", "1,2,3,4,5,6,7", "a.png"},
      {"--pose", "1,2,,4,5,6", "a.png"},
      {"--pose", "1,2,3,4,5,inf", "a.png"},
      {"--pose", "1;2;3;4;5;6", "a.png"},
      {"--time", "-1", "a.png"},
      {"--time", "soon", "a.png"},
      {"--menu", "4", "a.png"},  // the loading page is not a menu page to show
      {"--menu", "6", "a.png"},
      {"--language", "64", "a.png"},
      {"--result", "42.5", "a.png"},
      {"--result", "42.5,", "a.png"},
      {"--result", "fast,60", "a.png"},
  };
  for (const std::vector<std::string>& args : cases) {
    std::string line;
    for (const std::string& arg : args) line += "[" + arg + "]";
    const shot::ShotCommandLine parsed = Parse(args);
    EXPECT_FALSE(parsed.options) << line;
    EXPECT_EQ(parsed.exitCode, 2) << line;
    EXPECT_FALSE(parsed.text.empty()) << line;
    EXPECT_EQ(parsed.text.find('\n'), std::string::npos) << line << ": " << parsed.text;
  }
}

// The tool keeps its settings in a store that was never given a file: every
// write must be refused, so the user's settings stay as they are.
TEST(SceneShotOptions, AStoreWithoutAFileWritesNothing) {
  app::SettingsStore store;
  app::AppSettings settings;
  EXPECT_FALSE(app::WriteIntSetting(store, store.productSection, u"mit_wasser", 0));
  EXPECT_FALSE(app::WriteStringSetting(store, app::kProgramSection, u"key", u"text"));
  app::SaveCameraPose(store, settings, 1.0f, 2.0f, 3.0f, 0.5f, 0.5f, 0.5f);
  EXPECT_FALSE(app::ReadRawSetting(store, store.productSection, u"m_p_x"));
  EXPECT_TRUE(store.settingsPath.empty());
}

}  // namespace
