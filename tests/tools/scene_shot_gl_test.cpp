#include <gtest/gtest.h>
#include <stb/stb_image.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "platform/fake/scripted_clock.h"
#include "platform/sdl/sdl_window_system.h"
#include "tests/support/env_guard.h"
#include "tests/support/test_files.h"
#include "tools/scene-shot/scene_shot.h"

namespace {

namespace fs = std::filesystem;

struct StbFree {
  void operator()(stbi_uc* p) const { stbi_image_free(p); }
};

// Mean colour of pixel rows [first, last), RGB.
std::array<double, 3> RowsMean(const stbi_uc* rgb, int width, int first, int last) {
  std::array<double, 3> sum{};
  for (int y = first; y < last; ++y) {
    for (int x = 0; x < width; ++x) {
      for (int c = 0; c < 3; ++c) sum[c] += rgb[(static_cast<size_t>(y) * width + x) * 3 + c];
    }
  }
  const double n = static_cast<double>(last - first) * width;
  for (double& s : sum) s /= n;
  return sum;
}

// The menu view, plain pass, coarse terrain: the sky fills the top of the
// picture and the island the bottom, so the two differ in colour; drawn
// twice, the picture is the same. The home
// and configuration folders point at an empty folder that must stay empty
// but for the picture: the tool never writes settings.
TEST(SceneShotGLTest, MenuViewIsWrittenWithSkyAboveTheIslandAndNoSettingsFile) {
  test_support::ScratchFolder scratch;
  ASSERT_FALSE(scratch.path().empty());
  test_support::EnvGuard env({"HOME", "XDG_CONFIG_HOME"});
  setenv("HOME", scratch.path().c_str(), 1);
  setenv("XDG_CONFIG_HOME", (scratch.path() / "config").c_str(), 1);

  shot::ShotOptions options;
  options.pass = scene::PassSelector::Plain;
  options.detail = 2;
  options.width = 64;
  options.height = 48;
  options.outPath = (scratch.path() / "shot.png").string();
  platform::sdl::SdlWindowSystem windows;
  platform::fake::ScriptedClock clock;
  std::string error;
  ASSERT_TRUE(shot::RenderShot(options, windows, clock, error)) << error;

  std::vector<fs::path> entries(fs::directory_iterator(scratch.path()), {});
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].filename(), "shot.png");

  int width = 0, height = 0, channels = 0;
  std::unique_ptr<stbi_uc, StbFree> rgb(
      stbi_load(options.outPath.c_str(), &width, &height, &channels, 3));
  ASSERT_NE(rgb, nullptr);
  EXPECT_EQ(width, 64);
  EXPECT_EQ(height, 48);
  // Top quarter sky, bottom quarter island (the picture is written top row
  // first). 40 levels apart in some channel is far above any shading
  // difference within one of them and well below the real sky/sand gap.
  const std::array<double, 3> sky = RowsMean(rgb.get(), width, 0, height / 4);
  const std::array<double, 3> ground = RowsMean(rgb.get(), width, height * 3 / 4, height);
  double largest = 0.0;
  for (int c = 0; c < 3; ++c) largest = std::max(largest, std::abs(sky[c] - ground[c]));
  EXPECT_GT(largest, 40.0) << "sky " << sky[0] << "," << sky[1] << "," << sky[2] << " ground "
                           << ground[0] << "," << ground[1] << "," << ground[2];
  EXPECT_GT(sky[2], ground[2]) << "the sky is the bluer half";

  // The same options give the same picture: the wind blows the grass and
  // palms from the asked moment, not from when loading ended.
  const std::string first = test_support::ReadBytes(options.outPath);
  options.outPath = (scratch.path() / "again.png").string();
  ASSERT_TRUE(shot::RenderShot(options, windows, clock, error)) << error;
  EXPECT_TRUE(test_support::ReadBytes(options.outPath) == first);
}

TEST(SceneShotGLTest, UnwritablePictureFailsWithAMessage) {
  shot::ShotOptions options;
  options.pass = scene::PassSelector::Plain;
  options.detail = 2;
  options.width = 16;
  options.height = 16;
  options.outPath = "/nonexistent-folder/shot.png";
  platform::sdl::SdlWindowSystem windows;
  platform::fake::ScriptedClock clock;
  std::string error;
  EXPECT_FALSE(shot::RenderShot(options, windows, clock, error));
  EXPECT_EQ(error, "cannot write /nonexistent-folder/shot.png");
}

}  // namespace
