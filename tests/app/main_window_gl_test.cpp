#include <gtest/gtest.h>

#include <array>

#include "app/main_window.h"
#include "platform/sdl/sdl_window_system.h"

namespace {

// The program's own window and context on the offscreen driver.
class MainWindowGLTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(windows_.Init()) << windows_.LastError();
    ASSERT_TRUE(app::CreateMainWindow(windows_, win_, app_, "test", 64, 48, true))
        << windows_.LastError();
    ASSERT_TRUE(app::CreateInitialContext(windows_, win_, app_, renderer_, 64, 48));
  }
  void TearDown() override {
    app::ReleaseContexts(windows_, win_);
    win_.mainWindow.reset();
    windows_.Shutdown();
  }

  platform::sdl::SdlWindowSystem windows_;
  app::AppState app_;
  app::WindowState win_;
  app::GlRenderer renderer_;
};

TEST_F(MainWindowGLTest, ClearsPresentsAndReadsBack) {
  glClearColor(1.0f, 0.5f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  win_.mainWindow->SwapBuffers();
  glFinish();
  std::array<uint8_t, 4> pixel{};
  glReadPixels(10, 10, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel.data());
  EXPECT_EQ(pixel[0], 255);
  EXPECT_NEAR(pixel[1], 128, 1);
  EXPECT_EQ(pixel[2], 0);
  EXPECT_EQ(win_.antialiasChoices.at(0), u"Off");
  EXPECT_EQ(win_.antialiasLabel, u"Off");
}

TEST_F(MainWindowGLTest, ViewportHeightZeroCountsAsOne) {
  app::SetViewport(app_, renderer_, 64, 0);
  EXPECT_EQ(app_.viewportHeight, 1);
  GLint viewport[4] = {};
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 64);
  EXPECT_EQ(viewport[3], 1);
}

TEST_F(MainWindowGLTest, NewSampleCountKeepsTexturesAndFallsBackWhenUnavailable) {
  const std::array<uint8_t, 16> texels{255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 9, 8, 7, 6};
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 2, 2, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());

  // The largest count the driver offers, or none at all.
  int samples = 0;
  for (const auto& [index, label] : win_.antialiasChoices) {
    if (index > 0) samples = std::stoi(std::string(label.begin() + 6, label.end() - 2));
  }
  win_.sampleCount = samples;
  app::RecreateContext(windows_, win_, app_, renderer_, 0);
  EXPECT_NE(win_.mainContext, win_.firstContext);
  EXPECT_EQ(win_.sampleCount, samples);
  GLint sampleBuffers = -1;
  glGetIntegerv(GL_SAMPLE_BUFFERS, &sampleBuffers);
  EXPECT_EQ(sampleBuffers, samples > 0 ? 1 : 0);

  EXPECT_TRUE(glIsTexture(texture));
  std::array<uint8_t, 16> back{};
  glBindTexture(GL_TEXTURE_2D, texture);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, back.data());
  EXPECT_EQ(back, texels);

  // 32 samples are never available: the new drawable has none and says so.
  win_.sampleCount = 32;
  app::RecreateContext(windows_, win_, app_, renderer_, 0);
  EXPECT_EQ(win_.sampleCount, 0);
  EXPECT_EQ(win_.antialiasLabel, u"Off");
  EXPECT_TRUE(glIsTexture(texture));
  glDeleteTextures(1, &texture);
}

}  // namespace
