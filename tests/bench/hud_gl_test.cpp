// The HUD on a real context: built once into its texture, then drawn over a
// frame the scene has cleared, as one translucent quad at the bottom left.
#include <gtest/gtest.h>

#include "bench/hud.h"
#include "tests/support/gl_table.h"
#include "tests/support/gl_test_context.h"

namespace {

// Taller than the HUD texture, so that the copy finds the whole text block.
constexpr int kWidth = 320;
constexpr int kHeight = 288;

class HudGLTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(ctx_.ok());
    mgtest::LoadGlTable();
    // The state the program's set-up leaves.
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_CULL_FACE);
    ASSERT_TRUE(bench::CreateHud(hud_, slots_));
    stats_.secondTicks = 1;
  }
  void TearDown() override {
    bench::ReleaseHud(hud_);
    slots_.ReleaseAll();
  }

  // One frame: the HUD built, the scene's clear (in blue), the HUD drawn.
  std::vector<uint8_t> Frame(bool showInfo) {
    const bench::HudFacts facts{58.8, 1250000, 73.5, true, 30000.0, 60000.0, true};
    if (bench::TakeHudRebuild(stats_, showInfo)) bench::BuildHud(hud_, facts, slots_);
    glViewport(0, 0, kWidth, kHeight);
    glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    bench::DrawHud(hud_, slots_, kHeight, showInfo);
    return ctx_.ReadPixels();
  }

  // Pixel (x, y) with y counted from the top, as RGBA.
  static const uint8_t* Pixel(const std::vector<uint8_t>& pixels, int x, int y) {
    return &pixels[(static_cast<size_t>(kHeight - 1 - y) * kWidth + x) * 4];
  }

  mgtest::GlTestContext ctx_{kWidth, kHeight};
  render::TextureSlots slots_;
  bench::Hud hud_;
  bench::FrameStatistics stats_;
};

TEST_F(HudGLTest, TextIsDrawnGreenInsideTheQuadAtTheBottomLeft) {
  const std::vector<uint8_t> pixels = Frame(true);
  EXPECT_EQ(stats_.secondTicks, 0) << "the second's rebuild is taken";
  const int textHeight = hud_.textRect.bottom - hud_.textRect.top;
  EXPECT_EQ(textHeight, 5 * hud_.font.height) << "four lines and one line's margin";

  // Quad: columns 20 ... 275, rows from the text block's top to the bottom.
  const int top = kHeight - textHeight;
  int green = 0, darkened = 0, strayGreen = 0, touchedOutside = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const uint8_t* p = Pixel(pixels, x, y);
      const bool inside = x >= 20 && x < 20 + bench::kHudTextureSize && y >= top;
      // Green text at alpha 0.7 over blue gives about (0, 178, 77); the
      // black box over blue about (0, 0, 77).
      const bool isGreen = p[1] > 150 && p[0] < 40;
      if (inside && isGreen) ++green;
      if (inside && p[1] < 40 && p[2] > 60 && p[2] < 95) ++darkened;
      if (!inside && isGreen) ++strayGreen;
      if (!inside && !(p[0] == 0 && p[1] == 0 && p[2] == 255)) ++touchedOutside;
    }
  }
  // Four 16-pixel lines cover several hundred pixels; hinting moves the exact
  // count, so only a floor is asserted.
  EXPECT_GT(green, 300);
  EXPECT_GT(darkened, 2000) << "the quad is translucent black around the text";
  EXPECT_EQ(strayGreen, 0);
  EXPECT_EQ(touchedOutside, 0);
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
}

TEST_F(HudGLTest, NothingIsBuiltOrDrawnWhileShowInfoIsOff) {
  const std::vector<uint8_t> pixels = Frame(false);
  EXPECT_EQ(stats_.secondTicks, 1) << "the rebuild waits for the HUD to show";
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const uint8_t* p = Pixel(pixels, x, y);
      ASSERT_TRUE(p[0] == 0 && p[1] == 0 && p[2] == 255) << x << "," << y;
    }
  }
}

}  // namespace
