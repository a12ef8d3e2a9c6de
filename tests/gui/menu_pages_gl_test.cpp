// The real main page in English and Arabic, drawn with Pango and Cairo from
// the program's string archive at a small size and shown through GL: every
// outline is a one-pixel green line and every text leaves ink in its box.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "gui/menu_pages.h"
#include "gui/menu_texture.h"
#include "lang/language.h"
#include "platform/fake/recording_canvas.h"
#include "platform/sdl/canvas_cairo.h"
#include "platform/text_codec.h"
#include "tests/support/gl_test_context.h"

namespace {

using platform::Rect;
using platform::fake::CanvasCall;
using platform::fake::RecordingCanvas;

constexpr int kWidth = 640, kHeight = 480;  // a 360 x 240 canvas
constexpr uint32_t kOpaqueGreen = 0xFF00FF00;

gui::MenuPageData PageData() {
  gui::MenuPageData data;
  data.displayWidth = 1920;
  data.displayHeight = 1080;
  data.antialias = {{0, u"Off"}, {4, u"MSAA: 4 X"}};
  data.homepageBase = u"http://127.0.0.1:8723/int";
  data.copyright = u"\u00A9 Morvandel";
  return data;
}

void Wire(gui::MenuOverlay& menu, const gui::MenuPageData& data) {
  menu.hooks.text = [](int id) {
    const char16_t* text = lang::GetString(id);
    return std::u16string(text != nullptr ? text : u"");
  };
  menu.hooks.title = u"Morvandel.Gauge";
  menu.hooks.drawPage = [&data](gui::MenuOverlay& m, platform::Canvas& canvas, const Rect& area) {
    gui::DrawMenuPage(m, canvas, area, data);
  };
}

class MenuPagesGLTest : public ::testing::TestWithParam<int> {};

TEST_P(MenuPagesGLTest, MainPageHasOnePixelGreenOutlinesAndInkInEveryTextBox) {
  ASSERT_TRUE(lang::LoadStringArchive());
  lang::SetUiLanguage(GetParam());
  mgtest::GlTestContext gl(kWidth, kHeight);
  ASSERT_TRUE(gl.ok());
  const gui::MenuPageData data = PageData();

  // The same page once recorded, for the boxes, and once drawn.
  gui::MenuOverlay recorded;
  Wire(recorded, data);
  RecordingCanvas* calls = nullptr;
  recorded.hooks.createCanvas = [&calls](int width, int height) {
    auto canvas = std::make_unique<RecordingCanvas>(width, height);
    calls = canvas.get();
    return canvas;
  };
  gui::PaintMenu(recorded, kWidth, kHeight);
  ASSERT_NE(calls, nullptr);

  gui::MenuOverlay menu;
  Wire(menu, data);
  menu.hooks.createCanvas = platform::sdl::CreateCairoCanvas;
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  if (gui::RefreshMenuCanvas(menu, kWidth, kHeight, 0.0)) gui::UploadMenuCanvas(menu);
  gui::DrawMenuTexture(menu, kWidth, kHeight);
  glFinish();
  platform::Canvas& canvas = *menu.canvas;
  ASSERT_EQ(canvas.width(), 360);
  const uint32_t* pixels = canvas.Pixels();
  const auto at = [&](int x, int y) { return pixels[y * canvas.stride() + x]; };

  int outlines = 0, texts = 0;
  for (const CanvasCall& call : calls->calls) {
    const Rect box{call.box.left, call.box.top, std::min(call.box.right, canvas.width()),
                   call.box.bottom};
    if (call.kind == CanvasCall::Kind::Outline) {
      ++outlines;
      for (int x = box.left; x < box.right; ++x) {
        ASSERT_EQ(at(x, box.top), kOpaqueGreen) << x << ", " << box.top;
        ASSERT_EQ(at(x, box.bottom - 1), kOpaqueGreen) << x << ", " << box.bottom - 1;
      }
      for (int y = box.top; y < box.bottom; ++y) ASSERT_EQ(at(box.left, y), kOpaqueGreen);
    }
    if (call.kind == CanvasCall::Kind::Text && !call.text.empty()) {
      ++texts;
      int ink = 0;
      for (int y = box.top + 1; y < box.bottom - 1; ++y) {
        for (int x = box.left + 1; x < box.right - 1; ++x) ink += ((at(x, y) >> 8) & 0xFF) > 128;
      }
      EXPECT_GT(ink, 10) << platform::Utf16ToUtf8(call.text);
    }
  }
  // Three header items, the ticker, 8 + 4 + 4 + 4 option items (a
  // 1920 x 1080 display offers the 1920 x 1080 window), the result line,
  // start, four links, homepage, autopilot: 32 texts. The same outlined,
  // less the result line, plus the canvas.
  EXPECT_EQ(texts, 32);
  EXPECT_EQ(outlines, 32);
  // One pixel wide: black right inside the canvas's outline, between the
  // ticker and the result line.
  const int r = static_cast<int>(menu.fonts.height * 1.5);
  const int y = static_cast<int>(r * 3.2) + 2;
  EXPECT_EQ(at(0, y), kOpaqueGreen);
  EXPECT_EQ(at(1, y), 0xFF000000);

  // On screen: centred, green at 80 % over the black view.
  const std::vector<uint8_t> screen = gl.ReadPixels();
  const uint8_t* p =
      &screen[(static_cast<size_t>(kHeight - 1 - (menu.originY + y)) * kWidth + menu.originX) * 4];
  EXPECT_NEAR(p[1], 204, 2);
  EXPECT_EQ(p[0], 0);
  gui::DeleteMenuTexture(menu);
}

// English, and Arabic (right to left, joined letters).
INSTANTIATE_TEST_SUITE_P(Languages, MenuPagesGLTest, ::testing::Values(1, 17));

}  // namespace
