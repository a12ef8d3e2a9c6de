#include "render/text_box.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/font_lookup.h"
#include "render/glyph_raster.h"

namespace {

TEST(TextBoxTest, ALineFitsWhenItAndItsTerminatorFitTheBuffer) {
  render::TextBox box;
  EXPECT_TRUE(box.AddLine(std::string(2047, 'a')));
  EXPECT_EQ(box.usedBytes(), 2048);
  EXPECT_FALSE(box.AddLine(""));

  box.Clear();
  EXPECT_FALSE(box.AddLine(std::string(2048, 'a')));
  EXPECT_EQ(box.lineCount(), 0);
  EXPECT_EQ(box.usedBytes(), 0);

  EXPECT_TRUE(box.AddLine(std::string(1000, 'b')));
  EXPECT_FALSE(box.AddLine(std::string(1047, 'c'))) << "1001 + 1048 > 2048";
  EXPECT_TRUE(box.AddLine(std::string(1046, 'c')));
  EXPECT_EQ(box.lineCount(), 2);
  EXPECT_EQ(box.longestLine(), 1046);
  EXPECT_EQ(box.Line(0), std::string(1000, 'b'));
}

TEST(TextBoxTest, ANulByteEndsTheLine) {
  render::TextBox box;
  EXPECT_TRUE(box.AddLine(std::string_view("ab\0cd", 5)));
  EXPECT_EQ(box.Line(0), "ab");
  EXPECT_EQ(box.usedBytes(), 3);
}

TEST(TextBoxTest, WidthIsTheWidestLineByAdvanceWidths) {
  render::BitmapFont font;
  font.charWidths['a'] = 7;
  font.charWidths['W'] = 15;
  font.charWidths[0xE9] = 9;
  render::TextBox box;
  EXPECT_EQ(box.TextWidth(font), 0);
  box.AddLine("aaa");
  box.AddLine("W\xE9");
  box.AddLine("");
  EXPECT_EQ(box.TextWidth(font), 24);
}

TEST(TextBoxTest, ColourSettersKeepAlpha) {
  render::TextBox box;
  box.textColour[3] = 0.5f;
  box.SetTextColour(0, 1, 0);
  box.SetFrameColour(0, 0, 0);
  EXPECT_EQ(box.textColour, (std::array<float, 4>{0, 1, 0, 0.5f}));
  EXPECT_EQ(box.frameColour, (std::array<float, 4>{0, 0, 0, 0}));
}

// The HUD font: 1-bit glyphs for all 256 codes with their advance widths;
// codes 128-255 are the Latin-1 characters.
TEST(GlyphRasterTest, DejaVuSansAt16Pixels) {
  render::RasterFont font;
  std::string error;
  ASSERT_TRUE(render::RasteriseFont(
      platform::FindFontFile(render::FontRequestFor("Tahoma", false, false)), 16, font, error))
      << error;
  EXPECT_GE(font.height, 16);
  EXPECT_LE(font.height, 20);
  EXPECT_GT(font.averageWidth, 5);
  EXPECT_LT(font.averageWidth, 12);
  const auto& g = font.glyphs;
  EXPECT_LT(g['i'].advance, g['W'].advance);
  EXPECT_EQ(font.maxWidth >= g['W'].advance, true);
  EXPECT_EQ(g[0xE9].advance, g['e'].advance) << "e acute";
  EXPECT_GT(g[0xE9].height, g['e'].height) << "the accent sits above the e";
  EXPECT_GT(g[' '].advance, 0);
  EXPECT_EQ(std::count(g[' '].rows.begin(), g[' '].rows.end(), 0), std::ssize(g[' '].rows));
  const render::GlyphImage& h = g['H'];
  ASSERT_GT(h.height, 8);
  EXPECT_EQ(h.rows.size(), static_cast<size_t>((h.width + 7) / 8 * h.height));
  EXPECT_EQ(h.originY, 0) << "H stands on the baseline";
  EXPECT_NE(h.rows[0] & 0x80, 0) << "the left stem reaches the bottom row";
}

TEST(FontLookupTest, FindsTheHudFamilyByNameAndNothingForAMissingOne) {
  const struct {
    platform::FontRequest request;
    const char* fileEnd;  // empty: not found
  } cases[] = {
      {render::FontRequestFor("Tahoma", false, false), "/DejaVuSans.ttf"},
      {render::FontRequestFor("Tahoma", true, false), "/DejaVuSans-Bold.ttf"},
      {render::FontRequestFor("Tahoma", true, true), "/DejaVuSans-BoldOblique.ttf"},
      // Fontconfig would offer a substitute; a missing family is missing.
      {{"No Such Family Morvandel", false, false}, ""},
      {{"", false, false}, ""},
  };
  for (const auto& c : cases) {
    const std::string file = platform::FindFontFile(c.request);
    const std::string end = c.fileEnd;
    EXPECT_TRUE(end.empty() ? file.empty() : file.ends_with(end))
        << c.request.family << " " << file;
  }
}

TEST(GlyphRasterTest, MissingFontFileIsReported) {
  render::RasterFont font;
  std::string error;
  EXPECT_FALSE(render::RasteriseFont("/nonexistent/font.ttf", 16, font, error));
  EXPECT_NE(error.find("/nonexistent/font.ttf"), std::string::npos);
  EXPECT_FALSE(render::RasteriseFont(
      platform::FindFontFile(render::FontRequestFor("x", false, false)), 0, font, error));
}

}  // namespace
