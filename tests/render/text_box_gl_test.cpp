#include <gtest/gtest.h>

#include "render/text_box.h"
#include "tests/render/render_test_support.h"
#include "tests/support/gl_test_context.h"

namespace {

constexpr int kSize = 128;

class TextBoxGLTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(ctx_.ok());
    ASSERT_TRUE(font_.Build("Tahoma", 16, false, false));
    glViewport(0, 0, kSize, kSize);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  }
  void TearDown() override { font_.Destroy(); }

  // Pixel (x, y) with y counted from the top, as RGBA.
  static const uint8_t* Pixel(const std::vector<uint8_t>& pixels, int x, int y) {
    return &pixels[(static_cast<size_t>(kSize - 1 - y) * kSize + x) * 4];
  }

  mgtest::GlTestContext ctx_{kSize, kSize};
  render::BitmapFont font_;
};

// Text appears in its colour only inside the box's rectangle, after the left
// margin; the frame is drawn on the rectangle's edge.
TEST_F(TextBoxGLTest, DrawsTextInsideTheReturnedRectangle) {
  render::TextBox box;
  box.SetShowFrame(true);
  box.SetFrameColour(0, 0, 1);
  box.SetTextColour(0, 1, 0);
  ASSERT_TRUE(box.AddLine("HUD 42"));
  ASSERT_TRUE(box.AddLine("\xC9t\xE9"));
  glEnable(GL_TEXTURE_2D);  // the scene leaves texturing on
  const render::PixelRect r = box.Draw(10, 5, font_);
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.top, 5);
  EXPECT_EQ(r.right, 10 + box.TextWidth(font_) + 2 * font_.averageWidth);
  EXPECT_EQ(r.bottom, 5 + 3 * font_.height);
  EXPECT_GT(box.TextWidth(font_), 40);

  const std::vector<uint8_t> pixels = ctx_.ReadPixels();
  int textPixels = 0, secondLine = 0, strayPixels = 0, framePixels = 0;
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const uint8_t* p = Pixel(pixels, x, y);
      const bool green = p[0] == 0 && p[1] == 255 && p[2] == 0;
      const bool blue = p[0] == 0 && p[1] == 0 && p[2] == 255;
      const bool inside = x > r.left && x < r.right && y > r.top && y < r.bottom;
      if (green && inside && x >= r.left + font_.averageWidth) ++textPixels;
      if (green && inside && y > r.top + font_.height + 2) ++secondLine;
      if (green && !inside) ++strayPixels;
      if (blue) ++framePixels;
    }
  }
  // A 16-pixel "HUD 42" covers well over 60 pixels; the exact count depends
  // on hinting, so only a floor is asserted.
  EXPECT_GT(textPixels, 60);
  EXPECT_GT(secondLine, 10) << "accented Latin-1 glyphs are drawn";
  EXPECT_EQ(strayPixels, 0);
  EXPECT_GT(framePixels, 2 * (r.right - r.left));
}

TEST_F(TextBoxGLTest, EmptyBoxIsOneLineTallAndTwoAverageWidthsWide) {
  render::TextBox box;
  const render::PixelRect r = box.Draw(3, 4, font_);
  EXPECT_EQ(r.right - r.left, 2 * font_.averageWidth);
  EXPECT_EQ(r.bottom - r.top, font_.height);
  const std::vector<uint8_t> pixels = ctx_.ReadPixels();
  EXPECT_EQ(Pixel(pixels, 5, 8)[0], 0) << "default background alpha 0 blends to nothing";
}

TEST_F(TextBoxGLTest, DrawStringKeepsTheListBaseAndBuildsAllCodes) {
  glListBase(77);
  EXPECT_EQ(font_.DrawString(std::string_view("ab\0c", 4)), 2);
  GLint base = 0;
  glGetIntegerv(GL_LIST_BASE, &base);
  EXPECT_EQ(base, 77);
  EXPECT_TRUE(glIsList(font_.listBase));
  EXPECT_TRUE(glIsList(font_.listBase + 255));
  EXPECT_EQ(font_.charWidths['A'], font_.charWidths[0xC0]) << "A and A grave";
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TextBoxGLTest, DestroyReleasesEveryList) {
  const GLuint base = font_.listBase;
  font_.Destroy();
  EXPECT_EQ(font_.listBase, 0u);
  EXPECT_FALSE(glIsList(base));
  EXPECT_FALSE(glIsList(base + 255));
}

}  // namespace
