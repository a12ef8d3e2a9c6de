// The menu drawn for real: Pango and Cairo into the canvas, the canvas into
// the texture, the texture over a small offscreen GL view.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "gui/menu_texture.h"
#include "gui/menu_widgets.h"
#include "platform/sdl/canvas_cairo.h"
#include "tests/support/gl_test_context.h"

namespace {

using platform::Rect;

bool Inked(uint32_t pixel) { return ((pixel >> 8) & 0xFF) > 128; }

// Columns of the box that hold ink, grouped into runs; runs separated by
// fewer than minGap empty columns are one run.
std::vector<std::pair<int, int>> InkRuns(platform::Canvas& canvas, const Rect& box, int minGap) {
  const uint32_t* pixels = canvas.Pixels();
  std::vector<std::pair<int, int>> runs;
  for (int x = box.left; x < box.right; ++x) {
    bool ink = false;
    for (int y = box.top; y < box.bottom && !ink; ++y) ink = Inked(pixels[y * canvas.stride() + x]);
    if (!ink) continue;
    if (!runs.empty() && x - runs.back().second <= minGap) {
      runs.back().second = x;
    } else {
      runs.emplace_back(x, x);
    }
  }
  return runs;
}

int InkHeight(platform::Canvas& canvas, const Rect& box) {
  const uint32_t* pixels = canvas.Pixels();
  int top = box.bottom, bottom = box.top - 1;
  for (int y = box.top; y < box.bottom; ++y) {
    for (int x = box.left; x < box.right; ++x) {
      if (Inked(pixels[y * canvas.stride() + x])) {
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
    }
  }
  return bottom - top + 1;
}

TEST(MenuCanvasGLTest, ArabicIsJoinedRightToLeftAndLongTextShrinksIntoItsBox) {
  auto canvas = platform::sdl::CreateCairoCanvas(400, 120);
  ASSERT_NE(canvas, nullptr);
  canvas->Clear(gui::kBlack);
  const platform::CanvasFont font{.pixelSize = 28, .weight = 700, .italic = true};
  // "Bism" (three joining letters) and a digit. Right to left, the digit sits
  // left of the word; joined, the word is one run of ink. Without shaping the
  // letters would stand apart, without bidi the digit would be on the right.
  const Rect arabic{0, 0, 400, 40};
  canvas->DrawText(arabic, u"\u0628\u0633\u0645 1", font, gui::kGreen,
                   platform::TextFlow::CentredLine);
  const auto runs = InkRuns(*canvas, arabic, 2);
  ASSERT_EQ(runs.size(), 2u);
  const int digitWidth = runs[0].second - runs[0].first + 1;
  const int wordWidth = runs[1].second - runs[1].first + 1;
  EXPECT_LT(digitWidth, wordWidth);
  // Centred by Pango's own extents: the ink's middle within a few pixels of
  // the box's (italic overhang and side bearings account for the slack).
  const int inkMiddle = (runs.front().first + runs.back().second) / 2;
  EXPECT_NEAR(inkMiddle, 200, 6);
  const platform::TextSize measured = canvas->MeasureText(u"\u0628\u0633\u0645 1", font);
  EXPECT_NEAR(runs.back().second - runs.front().first + 1, measured.width, measured.width / 4);

  // The same long text in a wide and in a narrow box: in the narrow one it
  // is drawn smaller rather than cut off.
  const std::u16string_view longText = u"Antialiasing Antialiasing Antialiasing";
  const Rect wide{0, 40, 400, 80};
  const Rect narrow{150, 80, 250, 120};
  canvas->DrawText(wide, longText.substr(0, 12), font, gui::kGreen,
                   platform::TextFlow::CentredLine);
  canvas->DrawText(narrow, longText, font, gui::kGreen, platform::TextFlow::CentredLine);
  const auto narrowRuns = InkRuns(*canvas, {100, 80, 300, 120}, 100);
  ASSERT_EQ(narrowRuns.size(), 1u);
  EXPECT_GE(narrowRuns[0].first, narrow.left);
  EXPECT_LT(narrowRuns[0].second, narrow.right);
  EXPECT_LT(InkHeight(*canvas, narrow), InkHeight(*canvas, wide) / 2);
}

TEST(MenuGLTest, PageIsUploadedAndDrawnTranslucentCentredWithOutlinesAndText) {
  constexpr int kWidth = 640, kHeight = 480;
  mgtest::GlTestContext gl(kWidth, kHeight);
  ASSERT_TRUE(gl.ok());
  gui::MenuOverlay menu;
  menu.hooks.createCanvas = platform::sdl::CreateCairoCanvas;
  menu.hooks.text = [](int id) { return std::u16string(id == 14 ? u"Exit" : u"OK"); };
  menu.hooks.title = u"Gauge";
  // A 200 x 40 button in the middle of the 360 x 240 canvas, an Arabic one
  // below it.
  const Rect start{80, 100, 280, 140};
  menu.hooks.drawPage = [&start](gui::MenuOverlay& m, platform::Canvas& canvas, const Rect&) {
    gui::DrawButton(m, canvas, start, m.fonts.big, {u"Start", gui::Do(gui::CommandKind::StartRun)});
    gui::DrawButton(m, canvas, {80, 150, 280, 190}, m.fonts.big,
                    {u"\u0627\u0628\u062F\u0623", gui::Do(gui::CommandKind::StartRun)});
  };
  auto frame = [&] {
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (gui::RefreshMenuCanvas(menu, kWidth, kHeight, 0.0)) gui::UploadMenuCanvas(menu);
    gui::DrawMenuTexture(menu, kWidth, kHeight);
    glFinish();
    return gl.ReadPixels();
  };
  // Screen pixel (x, y from the top) of the RGBA rows, bottom row first.
  auto at = [&](const std::vector<uint8_t>& pixels, int x, int y) {
    const uint8_t* p = &pixels[(static_cast<size_t>(kHeight - 1 - y) * kWidth + x) * 4];
    return std::array<int, 3>{p[0], p[1], p[2]};
  };
  // Counts pixels of the button's inside (outline excluded) by colour.
  auto count = [&](const std::vector<uint8_t>& pixels, auto test) {
    int n = 0;
    for (int y = start.top + 2; y < start.bottom - 2; ++y) {
      for (int x = start.left + 2; x < start.right - 2; ++x) {
        if (test(at(pixels, menu.originX + x, menu.originY + y))) ++n;
      }
    }
    return n;
  };

  std::vector<uint8_t> pixels = frame();
  ASSERT_NE(menu.texture, 0u);
  EXPECT_EQ(menu.originX, 320 - 180);
  EXPECT_EQ(menu.originY, 240 - 120);
  // Green at 80 % over black: 204, with a step of rounding either way.
  const auto outline = at(pixels, menu.originX, menu.originY + 120);
  EXPECT_NEAR(outline[1], 204, 2);
  EXPECT_LE(outline[0] + outline[2], 2);
  const auto outside = at(pixels, menu.originX - 1, menu.originY + 120);
  EXPECT_EQ(outside[1], 0);
  const auto inside = at(pixels, menu.originX + 2, menu.originY + 120);
  EXPECT_EQ(inside[1], 0) << "the canvas is black between items";
  const auto buttonEdge = at(pixels, menu.originX + start.left, menu.originY + start.top + 20);
  EXPECT_NEAR(buttonEdge[1], 204, 2);
  auto green = [](std::array<int, 3> c) { return c[1] > 120 && c[0] < 40; };
  auto yellow = [](std::array<int, 3> c) { return c[1] > 120 && c[0] > 120; };
  EXPECT_GT(count(pixels, green), 30) << "the text \"Start\" in green";
  EXPECT_EQ(count(pixels, yellow), 0);

  // The mouse on the button: dark green box, yellow text.
  gui::MenuPointer(menu, menu.originX + start.left + 5, menu.originY + start.top + 5, false, true);
  pixels = frame();
  EXPECT_GT(count(pixels, yellow), 30);
  const auto box = at(pixels, menu.originX + start.left + 3, menu.originY + start.top + 3);
  EXPECT_NEAR(box[1], 51, 2) << "dark green (64) at 80 %";
  gui::DeleteMenuTexture(menu);
}

}  // namespace
