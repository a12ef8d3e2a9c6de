// The GDI canvas needs no window: pixels in the canvas' own layout, lines
// with both ends, and text that never leaves its box.
#include "platform/win32/canvas_gdi.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace {

using platform::Canvas;
using platform::Color;
using platform::Rect;
using platform::TextFlow;
using platform::win32::CreateGdiCanvas;

uint32_t At(Canvas& canvas, int x, int y) { return canvas.Pixels()[y * canvas.stride() + x]; }

TEST(GdiCanvasTest, RefusesSizesBelowOne) {
  EXPECT_EQ(CreateGdiCanvas(0, 5), nullptr);
  EXPECT_EQ(CreateGdiCanvas(5, 0), nullptr);
  EXPECT_EQ(CreateGdiCanvas(-1, -1), nullptr);
}

TEST(GdiCanvasTest, PaintedPixelsAreOpaqueAndTheRestTransparent) {
  const std::unique_ptr<Canvas> canvas = CreateGdiCanvas(8, 6);
  ASSERT_NE(canvas, nullptr);
  canvas->FillRect({2, 1, 5, 3}, {0x12, 0x34, 0x56});
  canvas->FillRect({-5, -5, 1, 1}, {255, 255, 255});  // cut at the canvas' edge
  canvas->FillRect({6, 4, 5, 5}, {255, 0, 0});        // empty
  ASSERT_GE(canvas->stride(), canvas->width());
  for (int y = 0; y < 6; ++y) {
    for (int x = 0; x < 8; ++x) {
      uint32_t expected = 0;
      if (x == 0 && y == 0) expected = 0xFFFFFFFF;
      if (x >= 2 && x < 5 && y >= 1 && y < 3) expected = 0xFF123456;
      EXPECT_EQ(At(*canvas, x, y), expected) << x << ", " << y;
    }
  }
}

TEST(GdiCanvasTest, LinesIncludeBothEnds) {
  const struct {
    int x0, y0, x1, y1;
  } lines[] = {{1, 1, 8, 1}, {8, 9, 1, 2}, {2, 9, 4, 0}, {5, 5, 5, 5}};
  for (const auto& l : lines) {
    const std::unique_ptr<Canvas> canvas = CreateGdiCanvas(10, 10);
    ASSERT_NE(canvas, nullptr);
    canvas->Line(l.x0, l.y0, l.x1, l.y1, {0, 255, 0});
    int painted = 0;
    for (int y = 0; y < 10; ++y) {
      for (int x = 0; x < 10; ++x) painted += At(*canvas, x, y) != 0;
    }
    EXPECT_EQ(At(*canvas, l.x0, l.y0), 0xFF00FF00u);
    EXPECT_EQ(At(*canvas, l.x1, l.y1), 0xFF00FF00u);
    EXPECT_EQ(painted, std::max(std::abs(l.x1 - l.x0), std::abs(l.y1 - l.y0)) + 1);
  }
}

TEST(GdiCanvasTest, TextNeverLeavesItsBox) {
  const std::u16string text = u"A line far too long for its box, ابدأ الاختبار, ベンチマーク";
  const platform::CanvasFont font{.pixelSize = 30, .weight = 700, .italic = true};
  const Rect box{30, 10, 130, 40};
  for (int flow = 0; flow < 3; ++flow) {
    const std::unique_ptr<Canvas> canvas = CreateGdiCanvas(160, 50);
    ASSERT_NE(canvas, nullptr);
    if (flow == 2) {
      canvas->DrawTextAt(box, box.left - 40, text, font, {255, 255, 255});
    } else {
      canvas->DrawText(box, text, font, {255, 255, 255},
                       flow == 0 ? TextFlow::CentredLine : TextFlow::WrappedBlock);
    }
    int inside = 0;
    for (int y = 0; y < 50; ++y) {
      for (int x = 0; x < 160; ++x) {
        const uint32_t pixel = At(*canvas, x, y);
        const bool inBox = x >= box.left && x < box.right && y >= box.top && y < box.bottom;
        if (!inBox) {
          EXPECT_EQ(pixel, 0u) << "flow " << flow << " at " << x << ", " << y;
        }
        // Text alone: coverage as alpha, premultiplied white.
        EXPECT_EQ(pixel >> 24, pixel & 0xFF);
        inside += pixel != 0;
      }
    }
    EXPECT_GT(inside, 100) << "flow " << flow;
  }
}

TEST(GdiCanvasTest, ShrinksACentredLineToItsWidth) {
  const std::unique_ptr<Canvas> canvas = CreateGdiCanvas(300, 60);
  ASSERT_NE(canvas, nullptr);
  const std::u16string text = u"Start the benchmark";
  const platform::CanvasFont font{.pixelSize = 24};
  const int wide = canvas->MeasureText(text, font).width;
  ASSERT_GT(wide, 120);
  const Rect box{20, 0, 20 + wide / 2, 60};
  canvas->DrawText(box, text, font, {255, 255, 255}, TextFlow::CentredLine);
  // Inked from near the left edge to near the right one: shrunk, not cut.
  int left = 300;
  int right = 0;
  for (int y = 0; y < 60; ++y) {
    for (int x = 0; x < 300; ++x) {
      if (At(*canvas, x, y) == 0) continue;
      left = std::min(left, x);
      right = std::max(right, x);
    }
  }
  EXPECT_LE(left, box.left + 8);
  EXPECT_GE(right, box.right - 8);
  EXPECT_LT(right, box.right);
}

}  // namespace
