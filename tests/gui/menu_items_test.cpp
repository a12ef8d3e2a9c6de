// The menu's item protocol and layout against a recording canvas: which item
// is hot after scripted mouse and key input, what a click executes, and when
// the canvas is laid out again.
#include <gtest/gtest.h>

#include <vector>

#include "gui/menu_overlay.h"
#include "gui/menu_widgets.h"
#include "platform/fake/recording_canvas.h"
#include "platform/virtual_keys.h"

namespace {

using platform::Rect;
using platform::fake::CanvasCall;
using platform::fake::RecordingCanvas;
namespace vk = platform::vk;

// 960 x 640 client: a 480 x 320 canvas at (240, 160); font height 14, rows 21.
constexpr int kClientWidth = 960;
constexpr int kClientHeight = 640;
constexpr int kOriginX = 240;
constexpr int kOriginY = 160;

class MenuTest : public ::testing::Test {
 protected:
  MenuTest() {
    gui::MenuHooks& hooks = menu_.hooks;
    hooks.createCanvas = [this](int width, int height) {
      auto canvas = std::make_unique<RecordingCanvas>(width, height);
      canvas_ = canvas.get();
      return canvas;
    };
    hooks.text = [](int id) { return u"text " + std::u16string(1, char16_t(u'0' + id % 10)); };
    hooks.title = u"Title";
    // Items 1..3 are page buttons 30 px high from y = 100; item 3 has no
    // command. The last row is an option row: caption (4), choices 5 and 6.
    hooks.drawPage = [](gui::MenuOverlay& menu, platform::Canvas& canvas, const Rect& area) {
      const std::u16string_view texts[] = {u"A", u"B", u"C"};
      const gui::Command commands[] = {
          gui::Do(gui::CommandKind::StartRun), gui::Do(gui::CommandKind::ShowPage, 3), {}};
      for (int i = 0; i < 3; ++i) {
        gui::DrawButton(menu, canvas, {area.left, 100 + 30 * i, area.right, 130 + 30 * i},
                        menu.fonts.medium, {texts[i], commands[i]});
      }
      const gui::OptionChoice choices[] = {
          {u"Low", gui::Do(gui::CommandKind::ChooseQuality, 0), true},
          {u"High", gui::Do(gui::CommandKind::ChooseQuality, 2), false}};
      gui::DrawOptionRow(menu, canvas, {0, 200, 480, 230}, menu.fonts.medium, u"Render", choices);
    };
    hooks.executeCommand = [this](const gui::Command& command) {
      executed_.push_back(gui::CommandText(command));
    };
    hooks.playSelectionSound = [this] { ++sounds_; };
    hooks.showHandCursor = [this](bool hand) { hand_ = hand; };
    hooks.hideMenu = [this] { ++hidden_; };
  }

  void Paint() {
    if (canvas_ != nullptr) canvas_->calls.clear();
    gui::PaintMenu(menu_, kClientWidth, kClientHeight);
    gui::PlaceOverlay(menu_, kClientWidth, kClientHeight);
  }

  void Key(int key) {
    uint8_t keys[256] = {};
    keys[key] = 1;
    gui::MenuKey(menu_, keys, true, true);
  }

  // The texts drawn in yellow: the hot buttons.
  std::vector<std::u16string> YellowTexts() const {
    std::vector<std::u16string> texts;
    for (const CanvasCall& call : canvas_->calls) {
      if (call.kind == CanvasCall::Kind::Text && call.color == gui::kYellow) {
        texts.push_back(call.text);
      }
    }
    return texts;
  }

  gui::MenuOverlay menu_;
  RecordingCanvas* canvas_ = nullptr;
  std::vector<std::u16string> executed_;
  int sounds_ = 0;
  bool hand_ = false;
  int hidden_ = 0;
};

TEST_F(MenuTest, ScriptedPointerAndKeysMoveTheHotItemAndClicksRunInTheNextRepaint) {
  enum class Input { None, Move, Click, ClickMove, Key };
  struct Step {
    const char* what;
    Input input;
    int x, y;  // client point, or the key
    int focus;
    std::vector<std::u16string> yellow;
    std::vector<std::u16string> executed;
    int sounds;
    bool hand;
  };
  const int pageX = kOriginX + 10;
  const int exitX = kOriginX + 300;
  const Step steps[] = {
      {"first repaint: nothing hot", Input::None, 0, 0, 0, {}, {}, 0, false},
      {"mouse onto B", Input::Move, pageX, kOriginY + 135, 2, {u"B"}, {}, 1, true},
      {"click on B runs it",
       Input::Click,
       pageX,
       kOriginY + 135,
       2,
       {u"B"},
       {u"ShowPage 3"},
       1,
       true},
      // A move after the click, before the repaint: the click runs where
      // the button was released, the move applies in the repaint after.
      {"click A, move",
       Input::ClickMove,
       pageX,
       kOriginY + 105,
       1,
       {u"A"},
       {u"StartRun 0"},
       2,
       true},
      {"then the move applies", Input::None, 0, 0, 0, {}, {}, 2, false},
      {"right edge is outside", Input::Move, kOriginX + 480, kOriginY + 135, 0, {}, {}, 2, false},
      {"bottom edge of A belongs to B", Input::Move, pageX, kOriginY + 130, 2, {u"B"}, {}, 3, true},
      // Item C has no command.
      {"click on C", Input::Click, pageX, kOriginY + 165, 3, {u"C"}, {}, 4, true},
      {"click on title", Input::Click, pageX, kOriginY + 30, 0, {u"Title"}, {}, 4, false},
      // Header items are numbered before the reset: hot and clickable, but
      // the reset drops them before focus and cursor are decided.
      {"click Exit", Input::Click, exitX, kOriginY + 5, 0, {u"text 4"}, {u"Exit 0"}, 4, false},
      {"choice High", Input::Move, kOriginX + 400, kOriginY + 210, 6, {u"High"}, {}, 5, true},
      {"repaint without input drops the hot item", Input::None, 0, 0, 0, {}, {}, 5, false},
      {"Down from nothing: first item", Input::Key, vk::kDown, 0, 1, {u"A"}, {}, 6, true},
      {"Tab: next item", Input::Key, vk::kTab, 0, 2, {u"B"}, {}, 7, true},
      {"Right: next item", Input::Key, vk::kRight, 0, 3, {u"C"}, {}, 8, true},
      {"Up: previous item", Input::Key, vk::kUp, 0, 2, {u"B"}, {}, 9, true},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    switch (step.input) {
      case Input::None:
        gui::RequestRedraw(menu_);
        break;
      case Input::Move:
      case Input::Click:
        gui::MenuPointer(menu_, step.x, step.y, step.input == Input::Click, true);
        break;
      case Input::ClickMove:
        gui::MenuPointer(menu_, step.x, step.y, true, true);
        gui::MenuPointer(menu_, 0, 0, false, true);
        break;
      case Input::Key:
        Key(step.x);
        break;
    }
    executed_.clear();
    Paint();
    EXPECT_EQ(menu_.focusIndex, step.focus);
    EXPECT_EQ(YellowTexts(), step.yellow);
    EXPECT_EQ(executed_, step.executed);
    EXPECT_EQ(sounds_, step.sounds);
    EXPECT_EQ(hand_, step.hand);
  }
}

TEST_F(MenuTest, KeysNeverExecuteAndHiddenMenuIgnoresInput) {
  Paint();
  gui::MenuPointer(menu_, kOriginX + 10, kOriginY + 105, true, false);
  Key(vk::kDown);
  menu_.clickPending = true;  // a click that landed nowhere before the key
  Paint();
  EXPECT_EQ(menu_.focusIndex, 1);
  EXPECT_TRUE(executed_.empty());

  uint8_t keys[256] = {};
  keys[vk::kDown] = 1;
  EXPECT_EQ(gui::MenuKey(menu_, keys, true, false), 0);
  EXPECT_EQ(menu_.keyboardStep, 0);
  EXPECT_FALSE(menu_.dirty);
}

TEST_F(MenuTest, DrawsOutlinesAndSkipsThemWhenTheOutlineFlagIsCleared) {
  menu_.hooks.drawPage = [](gui::MenuOverlay& menu, platform::Canvas& canvas, const Rect&) {
    menu.outline = false;
    gui::DrawButton(menu, canvas, {10, 100, 50, 120}, menu.fonts.medium,
                    {u"plain", gui::Do(gui::CommandKind::Exit)});
    gui::DrawLink(menu, canvas, {10, 120, 50, 140}, menu.fonts.medium,
                  {u"link", gui::Do(gui::CommandKind::StartRun)});
  };
  gui::MenuPointer(menu_, kOriginX + 20, kOriginY + 125, false, true);
  Paint();
  std::vector<Rect> outlines;
  for (const CanvasCall& call : canvas_->calls) {
    if (call.kind == CanvasCall::Kind::Outline) outlines.push_back(call.box);
    if (call.kind == CanvasCall::Kind::Text && call.text == u"link") {
      EXPECT_EQ(call.color, gui::kGreen) << "a hot link keeps its colour";
    }
    if (call.kind == CanvasCall::Kind::Fill) {
      EXPECT_EQ(call.box, (Rect{10, 120, 50, 140}));
      EXPECT_EQ(call.color, gui::kDarkGreen);
    }
  }
  // Canvas, three header items, then only the link.
  const std::vector<Rect> expected = {
      {0, 0, 480, 320}, {0, 0, 240, 21}, {240, 0, 480, 21}, {0, 21, 480, 46}, {10, 120, 50, 140}};
  EXPECT_EQ(outlines, expected);
}

TEST_F(MenuTest, OptionRowSplitsCaptionAndChoices) {
  Paint();
  std::vector<std::pair<std::u16string, Rect>> row;
  for (const CanvasCall& call : canvas_->calls) {
    if (call.kind == CanvasCall::Kind::Text && call.box.top == 200) {
      row.emplace_back(call.text, call.box);
      EXPECT_EQ(call.color, call.text == u"High" ? gui::kGreyGreen : gui::kGreen) << "choice";
    }
  }
  // Caption: 480 x 0.2 = 96; the choices share the rest, one pixel apart.
  const std::vector<std::pair<std::u16string, Rect>> expected = {{u"Render :", {0, 200, 96, 230}},
                                                                 {u"Low", {97, 200, 288, 230}},
                                                                 {u"High", {289, 200, 480, 230}}};
  EXPECT_EQ(row, expected);
}

TEST(OptionRowTest, ChoicesStayInsideTheRowOnePixelApartAndEvenlyWide) {
  for (const int width : {480, 481, 611, 1017}) {
    for (int count = 1; count <= 7; ++count) {
      SCOPED_TRACE(testing::Message() << width << " wide, " << count << " choices");
      RecordingCanvas canvas(width, 100);
      gui::MenuOverlay menu;
      const std::vector<gui::OptionChoice> choices(static_cast<size_t>(count),
                                                   {u"x", gui::Do(gui::CommandKind::Exit), false});
      const Rect row{0, 10, width, 40};
      gui::DrawOptionRow(menu, canvas, row, menu.fonts.medium, u"Caption", choices);
      std::vector<Rect> boxes;
      for (const CanvasCall& call : canvas.calls) {
        if (call.kind == CanvasCall::Kind::Text && call.text == u"x") boxes.push_back(call.box);
      }
      ASSERT_EQ(boxes.size(), static_cast<size_t>(count));
      EXPECT_EQ(boxes.front().left, static_cast<int>(width * 0.2) + 1);
      EXPECT_EQ(boxes.back().right, row.right);
      for (size_t i = 0; i < boxes.size(); ++i) {
        EXPECT_NEAR(boxes[i].width(), boxes.front().width(), 1);
        if (i > 0) {
          EXPECT_EQ(boxes[i].left, boxes[i - 1].right + 1);
        }
      }
    }
  }
}

TEST_F(MenuTest, CanvasFollowsTheWindowIn16PixelSteps) {
  struct Case {
    int width, height;
    bool rebuilt;
    int canvasWidth, canvasHeight;
  };
  const Case cases[] = {
      {960, 640, true, 480, 320},
      {975, 655, false, 480, 320},  // same 16-pixel steps: the canvas stays
      {975, 656, true, 492, 328},   // height crosses a step
      {976, 656, true, 492, 328},   // width alone crosses one: laid out again
      {1920, 1080, true, 810, 540},
      {300, 150, false, 810, 540},  // 75 rows high: refused, the canvas stays
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
    const int before = menu_.layoutCount;
    gui::PaintMenu(menu_, c.width, c.height);
    EXPECT_EQ(menu_.layoutCount - before, c.rebuilt ? 1 : 0);
    ASSERT_NE(menu_.canvas, nullptr);
    EXPECT_EQ(menu_.canvas->width(), c.canvasWidth);
    EXPECT_EQ(menu_.canvas->height(), c.canvasHeight);
    EXPECT_EQ(menu_.fonts.height, static_cast<int>(c.canvasHeight * 0.046));
  }
  EXPECT_FALSE(gui::PaintMenu(menu_, 1920, 1080)) << "nothing changed: no repaint";

  std::vector<std::u16string> messages;
  menu_.hooks.showMessage = [&](std::u16string_view text, std::u16string_view caption) {
    messages.push_back(std::u16string(caption) + u": " + std::u16string(text));
  };
  menu_.hooks.createCanvas = [](int, int) { return nullptr; };
  EXPECT_TRUE(gui::PaintMenu(menu_, 960, 640)) << "no new canvas: the old one is painted";
  EXPECT_EQ(messages, std::vector<std::u16string>{u"dib-err: 480 x 320"});
  EXPECT_EQ(menu_.canvas->width(), 810);
}

TEST_F(MenuTest, EscapeGoesBackThenHidesAndLoadingPageShowsStatusAndDots) {
  Paint();
  uint8_t keys[256] = {};
  keys[vk::kEscape] = 1;
  gui::ShowPage(menu_, 3);
  EXPECT_EQ(gui::MenuKey(menu_, keys, true, true), 1);
  EXPECT_EQ(menu_.page, gui::kMainPage);
  EXPECT_EQ(hidden_, 0);
  EXPECT_EQ(gui::MenuKey(menu_, keys, true, true), 2);
  EXPECT_EQ(hidden_, 1);
  EXPECT_EQ(gui::MenuKey(menu_, keys, false, true), 0) << "key-up";

  menu_.page = gui::kLoadingPage;
  menu_.loadingText = u"Terrain";
  menu_.progressDots = 2.95f;
  gui::RequestRedraw(menu_);
  Paint();
  bool found = false;
  for (const CanvasCall& call : canvas_->calls) {
    if (call.kind != CanvasCall::Kind::Text) continue;
    EXPECT_EQ(call.text, u"\n\n\nTerrain\n......");
    EXPECT_EQ(call.flow, platform::TextFlow::WrappedBlock);
    EXPECT_EQ(call.box, (Rect{0, 46, 480, 320}));
    found = true;
  }
  EXPECT_TRUE(found) << "the loading page has only its text, no header";
  menu_.progressDots = 10.0f;
  gui::RequestRedraw(menu_);
  Paint();
  EXPECT_EQ(menu_.progressDots, 0.0f) << "past 10 the dots start again";
}

}  // namespace
