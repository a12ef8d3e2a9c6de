// The screenshot is the frame the program drew, read back from a real
// context (multisampled ones resolved), saved as PNG and opened; the compare
// command's record carries the context's GL strings.
#include <gtest/gtest.h>
#include <stb_image.h>

#include <memory>

#include "app/compare.h"
#include "app/screenshot.h"
#include "platform/audio.h"
#include "platform/fake/fixed_system_info.h"
#include "platform/fake/recording_power.h"
#include "platform/fake/recording_shell.h"
#include "platform/fake/scripted_clock.h"
#include "platform/paths.h"
#include "tests/support/env_guard.h"
#include "tests/support/gl_test_context.h"
#include "tests/support/test_files.h"

namespace {

constexpr int kSize = 32;

struct Image {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;
  const uint8_t* At(int x, int y) const { return &rgb[(static_cast<size_t>(y) * width + x) * 3]; }
};

Image LoadPng(const std::filesystem::path& path) {
  Image image;
  int channels = 0;
  std::unique_ptr<stbi_uc, void (*)(void*)> pixels(
      stbi_load(path.c_str(), &image.width, &image.height, &channels, 3), stbi_image_free);
  if (pixels) image.rgb.assign(pixels.get(), pixels.get() + image.width * image.height * 3);
  return image;
}

// Red over the upper half, blue over the lower, and a white triangle whose
// slanted edge crosses the picture, where antialiasing shows.
void DrawPicture() {
  glViewport(0, 0, kSize, kSize);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, kSize, 0, kSize, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_TEXTURE_2D);
  glClearColor(0, 0, 1, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glBegin(GL_QUADS);
  glColor3f(1, 0, 0);
  glVertex2f(0, kSize / 2);
  glVertex2f(kSize, kSize / 2);
  glVertex2f(kSize, kSize);
  glVertex2f(0, kSize);
  glEnd();
  glBegin(GL_TRIANGLES);
  glColor3f(1, 1, 1);
  glVertex2f(20, 2);
  glVertex2f(30, 2);
  glVertex2f(30, 13.3f);
  glEnd();
}

class ResultsGLTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("TMPDIR", folder_.path().c_str(), 1);
    time_.tm_year = 125;
    time_.tm_mon = 2;
    time_.tm_mday = 1;
    time_.tm_hour = 14;
    time_.tm_min = 5;
  }

  // Draws the picture on a fresh context with this many samples and takes
  // the screenshot; an empty image when the driver has no such drawable.
  Image Shoot(int samples) {
    mgtest::GlTestContext gl(kSize, kSize, samples);
    if (!gl.ok()) return {};
    platform::fake::ScriptedClock clock;
    platform::fake::RecordingPower power;
    platform::NoAudioOutput silence;
    app::GlRenderer renderer;
    app::Application a(gl.windows(), clock, power, silence, renderer);
    a.app.viewportWidth = kSize;
    a.app.viewportHeight = kSize;
    DrawPicture();
    app::RequestScreenshot(a.app);
    const platform::PrivateFile file = app::TakeScreenshot(a.app, time_);
    EXPECT_FALSE(a.app.screenshotPending);
    EXPECT_TRUE(file.written);
    EXPECT_EQ(file.path, platform::PrivateTempDirPath() / "Morvandel.Gauge_2025-03-01 14-05.png");
    EXPECT_EQ(shell_.commands().back(), (std::vector<std::string>{"xdg-open", file.path.string()}));
    return LoadPng(file.path);
  }

  test_support::ScratchFolder folder_;
  test_support::EnvGuard env_{"TMPDIR"};
  platform::fake::RecordingShell shell_;
  std::tm time_{};
};

TEST_F(ResultsGLTest, ScreenshotIsTheDrawnFrameTopRowFirst) {
  const Image single = Shoot(0);
  ASSERT_EQ(single.width, kSize);
  ASSERT_EQ(single.height, kSize);
  const uint8_t* top = single.At(3, 3);
  const uint8_t* bottom = single.At(3, kSize - 3);
  EXPECT_EQ(std::vector<uint8_t>(top, top + 3), (std::vector<uint8_t>{255, 0, 0}));
  EXPECT_EQ(std::vector<uint8_t>(bottom, bottom + 3), (std::vector<uint8_t>{0, 0, 255}));
  const uint8_t* inside = single.At(28, kSize - 4);
  EXPECT_EQ(std::vector<uint8_t>(inside, inside + 3), (std::vector<uint8_t>{255, 255, 255}));

  // A second shot in the same minute replaces the first.
  Shoot(0);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(platform::PrivateTempDirPath()),
                          std::filesystem::directory_iterator()),
            1);

  // With 4 samples the picture is the same away from the slanted edge; along
  // it the resolve leaves blended pixels, which a direct read of the
  // multisampled buffer would not. The edge crosses at most two pixels per
  // row of the 12 it spans, so at most 24 pixels may differ.
  const Image multi = Shoot(4);
  if (multi.rgb.empty()) GTEST_SKIP() << "no 4-sample drawable on this driver";
  int differing = 0;
  int blended = 0;
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const uint8_t* m = multi.At(x, y);
      const uint8_t* s = single.At(x, y);
      if (!std::equal(m, m + 3, s)) ++differing;
      if (m[0] > 0 && m[0] < 255) ++blended;
    }
  }
  EXPECT_GT(blended, 0) << "the multisampled frame was resolved";
  EXPECT_LE(differing, 24);
}

TEST_F(ResultsGLTest, CompareRecordCarriesTheContextAndTheMachine) {
  mgtest::GlTestContext gl(kSize, kSize);
  ASSERT_TRUE(gl.ok());
  platform::fake::ScriptedClock clock;
  platform::fake::RecordingPower power;
  platform::NoAudioOutput silence;
  app::GlRenderer glRenderer;
  app::Application a(gl.windows(), clock, power, silence, glRenderer);
  a.settings.lastRunQuality.value = 2;
  a.settings.compareUrl.value = u"https://example.org";
  platform::fake::FixedSystemInfo system;
  system.kernelRelease = "6.1.0-18-amd64";
  system.os = {{{"Name", std::string("Debian GNU/Linux")}}};
  const app::ExportOutcome outcome = app::CompareResults(a, system);
  ASSERT_TRUE(outcome.page.written);
  const std::string page = test_support::ReadBytes(outcome.page.path);
  const std::string renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
  EXPECT_NE(page.find("&amp;GL_RENDERER=" + renderer + "&amp;"), std::string::npos) << page;
  EXPECT_NE(page.find("&amp;OSVer=6.1.0&amp;"), std::string::npos);
  EXPECT_NE(page.find("&amp;OS-Name=Debian GNU/Linux&amp;"), std::string::npos);
  EXPECT_NE(page.find("action='https://example.org/?Quellish.Dial/2'"), std::string::npos);
  EXPECT_EQ(system.queries, 3);
}

}  // namespace
