// The menu's real pages against a recording canvas: every item with its box,
// running number and command (found by clicking it), the choice rules of the
// option rows, the ticker's movement and the sub-pages' items.
#include "gui/menu_pages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fake/recording_canvas.h"
#include "platform/text_codec.h"
#include "platform/virtual_keys.h"

namespace {

using platform::Rect;
using platform::fake::CanvasCall;
using platform::fake::RecordingCanvas;
namespace vk = platform::vk;

// A 960 x 640 client: a 480 x 320 canvas at (240, 160), font height 14, so
// the row height r is 21, H = 319 and the title ends at 46.
constexpr int kClientWidth = 960;
constexpr int kClientHeight = 640;

struct Item {
  std::u16string text;
  std::u16string command;  // what a click on the item's middle ran
  int number = 0;          // the item's running number; 0: not an item
  Rect box{};
  bool operator==(const Item&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Item& item) {
  return out << platform::Utf16ToUtf8(item.text) << " -> " << platform::Utf16ToUtf8(item.command)
             << " #" << item.number << " (" << item.box.left << ", " << item.box.top << ", "
             << item.box.right << ", " << item.box.bottom << ")";
}

class MenuPagesTest : public ::testing::Test {
 protected:
  MenuPagesTest() {
    gui::MenuHooks& hooks = menu_.hooks;
    hooks.createCanvas = [this](int width, int height) {
      auto canvas = std::make_unique<RecordingCanvas>(width, height);
      canvas_ = canvas.get();
      return canvas;
    };
    hooks.text = [](int id) -> std::u16string {
      if (id == 50) return u"Last average FPS";
      if (id == 51) return u"Bench-Time";
      return u"t" + platform::FormatInt(id);
    };
    hooks.title = u"Title";
    hooks.drawPage = [this](gui::MenuOverlay& menu, platform::Canvas& canvas, const Rect& area) {
      gui::DrawMenuPage(menu, canvas, area, data_);
    };
    hooks.executeCommand = [this](const gui::Command& command) {
      executed_.push_back(gui::CommandText(command));
    };
    data_.displayWidth = 1680;  // too small for the 1920 x 1080 window
    data_.displayHeight = 1050;
    data_.antialias = {{0, u"Off"}, {2, u"MSAA: 2 X"}, {4, u"MSAA: 4 X"}};
    data_.antialiasLabel = u"MSAA: 4 X";
    data_.homepageBase = u"http://h";
    data_.copyright = u"(c)";
  }

  void Paint() {
    if (canvas_ != nullptr) canvas_->calls.clear();
    gui::PaintMenu(menu_, kClientWidth, kClientHeight);
    gui::PlaceOverlay(menu_, kClientWidth, kClientHeight);
  }

  std::vector<CanvasCall> Texts() const {
    std::vector<CanvasCall> texts;
    for (const CanvasCall& call : canvas_->calls) {
      if (call.kind == CanvasCall::Kind::Text) texts.push_back(call);
    }
    return texts;
  }

  // Every text the page draws below the header, each clicked in its middle
  // in turn.
  std::vector<Item> PageItems() {
    gui::RequestRedraw(menu_);
    Paint();
    const std::vector<CanvasCall> texts = Texts();
    std::vector<Item> items;
    for (size_t i = 3; i < texts.size(); ++i) {
      const Rect& box = texts[i].box;
      executed_.clear();
      gui::MenuPointer(menu_, menu_.originX + (box.left + box.right) / 2,
                       menu_.originY + (box.top + box.bottom) / 2, true, true);
      Paint();
      items.push_back(
          {texts[i].text, executed_.empty() ? u"" : executed_.back(), menu_.focusIndex, box});
    }
    return items;
  }

  gui::MenuOverlay menu_;
  gui::MenuPageData data_;
  RecordingCanvas* canvas_ = nullptr;
  std::vector<std::u16string> executed_;
};

TEST_F(MenuPagesTest, MainPageItemsAreNumberedInDrawingOrderWithTheirBoxesAndCommands) {
  // r = 21, H = 319: option rows from H - 8r = 151 down to H - 4r = 235.
  // The option choices' boxes follow the row arithmetic tested with the
  // widgets; here the rows they sit in are checked.
  const Rect ticker{0, 46, 480, 67}, last{0, 88, 480, 109}, start{0, 109, 480, 151};
  const Rect autopilot{0, 235, 480, 277}, home{0, 298, 480, 319};
  const int bright = 214, aa = 193, render = 172, screen = 151;
  const std::vector<std::pair<std::u16string, std::u16string>> brightness = {
      {u"-30 %", u"ChooseBrightness -30"}, {u"-20 %", u"ChooseBrightness -20"},
      {u"-10 %", u"ChooseBrightness -10"}, {u"0 %", u"ChooseBrightness 0"},
      {u"10 %", u"ChooseBrightness 10"},   {u"20 %", u"ChooseBrightness 20"},
      {u"30 %", u"ChooseBrightness 30"}};
  struct Expected {
    std::u16string text, command;
    int number;
    int top;  // the item's box top; the full box is checked where given
    Rect box{};
  };
  std::vector<Expected> expected = {{u" + + + t2 + + + t3 + + + t4", u"", 0, 46, ticker},
                                    {u"t13 :", u"", 1, bright, {0, 214, 96, 235}}};
  int number = 2;
  for (const auto& [text, command] : brightness)
    expected.push_back({text, command, number++, bright});
  const std::vector<Expected> rest = {
      {u"t30 :", u"", 9, aa},
      {u"t31", u"ChooseAntialiasing 0", 10, aa},
      {u"MSAA: 2 X", u"ChooseAntialiasing 2", 11, aa},
      {u"MSAA: 4 X", u"ChooseAntialiasing 4", 12, aa},
      {u"t40 :", u"", 13, render},
      {u"t41", u"ChooseQuality 0", 14, render},
      {u"t42", u"ChooseQuality 1", 15, render},
      {u"t43", u"ChooseQuality 2", 16, render},
      {u"Bench. Res. :", u"", 17, screen},
      {u"t32", u"ChooseScreen 0", 18, screen},
      {u"1024x768", u"ChooseScreen 1", 19, screen},
      {u"1366\u00D7768", u"ChooseScreen 2", 20, screen},
      {u"Last average FPS: 0.00 // Bench-Time 0.00 sec.", u"ShowPage 5", 21, 88, last},
      {u">>> t34 <<<", u"StartRun 0", 22, 109, start},
      {u"> t247", u"OpenLink 3", 23, 277, {0, 277, 120, 298}},
      {u"> t244", u"OpenLink 0", 24, 277, {120, 277, 240, 298}},
      {u"> LNG", u"ShowPage 1", 25, 277, {240, 277, 360, 298}},
      {u"> t67", u"ShowPage 3", 26, 277, {360, 277, 480, 298}},
      {u"http://h // (c)", u"OpenLink 1", 27, 298, home},
      {u">>> t33 <<<", u"StartAutopilot 0", 28, 235, autopilot},
  };
  expected.insert(expected.end(), rest.begin(), rest.end());

  const std::vector<Item> items = PageItems();
  ASSERT_EQ(items.size(), expected.size());
  for (size_t i = 0; i < items.size(); ++i) {
    SCOPED_TRACE(items[i]);
    const Expected& e = expected[i];
    EXPECT_EQ(items[i].text, e.text);
    EXPECT_EQ(items[i].command, e.command);
    EXPECT_EQ(items[i].number, e.number);
    EXPECT_EQ(items[i].box.top, e.top);
    if (e.box.right != 0) {
      EXPECT_EQ(items[i].box, e.box);
    }
  }
}

TEST_F(MenuPagesTest, ResultLineIsWhiteWithoutOutlineAndZeroBeforeAnyRun) {
  Paint();
  const Rect last{0, 88, 480, 109};
  int found = 0;
  for (const CanvasCall& call : canvas_->calls) {
    if (call.kind == CanvasCall::Kind::Outline) {
      EXPECT_NE(call.box, last) << "no outline";
    }
    if (call.kind == CanvasCall::Kind::Text && call.box == last) {
      EXPECT_EQ(call.text, u"Last average FPS: 0.00 // Bench-Time 0.00 sec.");
      EXPECT_EQ(call.color, gui::kWhite);
      ++found;
    }
  }
  EXPECT_EQ(found, 1);
  // The next button has its outline again.
  bool startOutlined = false;
  for (const CanvasCall& call : canvas_->calls) {
    startOutlined |= call.kind == CanvasCall::Kind::Outline && call.box == Rect{0, 109, 480, 151};
  }
  EXPECT_TRUE(startOutlined);
}

TEST_F(MenuPagesTest, KeysStepThroughTheMainPageWithoutRunningCommands) {
  Paint();
  struct Step {
    int key;
    std::u16string hot;  // the yellow text; empty: nothing hot
  };
  const Step steps[] = {{vk::kDown, u"t13 :"}, {vk::kRight, u"-30 %"}, {vk::kTab, u"-20 %"},
                        {vk::kUp, u"-30 %"},   {vk::kLeft, u"t13 :"},  {vk::kUp, u""}};
  for (const Step& step : steps) {
    uint8_t keys[256] = {};
    keys[step.key] = 1;
    gui::MenuKey(menu_, keys, true, true);
    Paint();
    std::u16string hot;
    for (const CanvasCall& call : Texts()) {
      if (call.color == gui::kYellow) hot = call.text;
    }
    EXPECT_EQ(hot, step.hot) << "after key " << step.key;
  }
  EXPECT_TRUE(executed_.empty());
}

TEST(MenuChoicesTest, BrightnessSelectsTheChoiceOfTheStoredValue) {
  // 0.7f is 0.69999998...: x 100 it truncates to 69, x 100.1 to 70.
  const std::pair<float, const char16_t*> cases[] = {
      {0.7f, u"-30 %"}, {0.8f, u"-20 %"}, {0.9f, u"-10 %"}, {1.0f, u"0 %"},
      {1.1f, u"10 %"},  {1.2f, u"20 %"},  {1.3f, u"30 %"},  {2.0f, nullptr}};
  for (const auto& [stored, text] : cases) {
    SCOPED_TRACE(stored);
    std::vector<std::u16string> selected;
    for (const gui::OptionChoice& choice : gui::BrightnessChoices(stored)) {
      if (choice.selected) selected.push_back(choice.text);
    }
    const std::vector<std::u16string> expected =
        text != nullptr ? std::vector<std::u16string>{text} : std::vector<std::u16string>{};
    EXPECT_EQ(selected, expected);
  }
}

TEST(MenuChoicesTest, The1920x1080WindowIsOfferedOnDisplaysAtLeastThatLarge) {
  struct Case {
    int width, height, screenType;
    std::vector<std::u16string> commands;
    int selected;  // index of the selected choice, -1 for none
  };
  const Case cases[] = {
      {1920,
       1080,
       0,
       {u"ChooseScreen 0", u"ChooseScreen 1", u"ChooseScreen 2", u"ChooseScreen 3"},
       0},  // a full-HD display offers it
      {3840,
       2160,
       3,
       {u"ChooseScreen 0", u"ChooseScreen 1", u"ChooseScreen 2", u"ChooseScreen 3"},
       3},
      {2560,
       1440,
       3,
       {u"ChooseScreen 0", u"ChooseScreen 1", u"ChooseScreen 2", u"ChooseScreen 3"},
       3},
      {1919,
       1200,
       2,
       {u"ChooseScreen 0", u"ChooseScreen 1", u"ChooseScreen 2"},
       2},  // a pixel too narrow
      {1920,
       1079,
       1,
       {u"ChooseScreen 0", u"ChooseScreen 1", u"ChooseScreen 2"},
       1},  // a pixel too low
      {1366,
       768,
       3,
       {u"ChooseScreen 0", u"ChooseScreen 1", u"ChooseScreen 2"},
       -1},  // stored 3 on a smaller display: none
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
    gui::MenuPageData data;
    data.displayWidth = c.width;
    data.displayHeight = c.height;
    data.screenType = c.screenType;
    const std::vector<gui::OptionChoice> choices = gui::ScreenChoices(data, u"Full Screen");
    std::vector<std::u16string> commands;
    int selected = -1;
    for (size_t i = 0; i < choices.size(); ++i) {
      commands.push_back(gui::CommandText(choices[i].command));
      if (choices[i].selected) selected = static_cast<int>(i);
    }
    EXPECT_EQ(commands, c.commands);
    EXPECT_EQ(selected, c.selected);
    if (c.commands.size() == 4) {
      EXPECT_EQ(choices[3].text, u"1920\u00D71080");
    }
  }
}

TEST_F(MenuPagesTest, TickerMovesAt25PixelsASecondAndRedrawsOnlyOnWholePixels) {
  Paint();
  const Rect ticker{0, 46, 480, 67};
  const std::u16string text = u" + + + t2 + + + t3 + + + t4";
  // The recording canvas measures 10/12 of the small font's 9 pixels per unit.
  const int textWidth = static_cast<int>(text.size()) * 9 * 10 / 12;
  struct Step {
    double frameMs;
    bool dirty;
    bool redrawn;
    int x;  // where the redrawn line starts
  };
  const Step steps[] = {
      {30.0, false, false, 0},  // 0.75 px
      {30.0, false, true, -1},  // 1.5 px
      {20.0, false, true, -2},  // 2.0 px
      {40.0, true, false, 0},   // 3.0 px, but a full repaint is pending
      {1000.0, false, true, -28},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.frameMs);
    canvas_->calls.clear();
    menu_.dirty = step.dirty;
    EXPECT_EQ(gui::AdvanceTicker(menu_, step.frameMs), step.redrawn);
    if (!step.redrawn) {
      EXPECT_TRUE(canvas_->calls.empty());
      continue;
    }
    ASSERT_EQ(canvas_->calls.size(), 3u) << "clear the strip, the line, its outline";
    EXPECT_EQ(canvas_->calls[0].kind, CanvasCall::Kind::Fill);
    EXPECT_EQ(canvas_->calls[0].box, ticker);
    EXPECT_EQ(canvas_->calls[0].color, gui::kBlack);
    EXPECT_EQ(canvas_->calls[1].text, text);
    EXPECT_EQ(canvas_->calls[1].box, ticker);
    EXPECT_EQ(canvas_->calls[1].x, step.x);
  }
  // Once the line has left completely it comes back in from the right.
  menu_.dirty = false;
  menu_.tickerOffset = -textWidth - 0.5;
  EXPECT_TRUE(gui::AdvanceTicker(menu_, 40.0));
  EXPECT_EQ(canvas_->calls.back().kind, CanvasCall::Kind::Outline);
  EXPECT_EQ(canvas_->calls[canvas_->calls.size() - 2].x, 480);
  // Only the main page has a ticker.
  menu_.page = gui::kExtrasPage;
  EXPECT_FALSE(gui::AdvanceTicker(menu_, 1000.0));
}

TEST_F(MenuPagesTest, SubPagesCarryTheirCommands) {
  data_.languages = {{u"German\tDeutsch", 98},
                     {u"English\tEnglish", 100},
                     {u"", 0},
                     {u"Arabic\t\u0639\u0631\u0628\u064A", 100}};
  data_.freshResult = true;
  struct Case {
    int page;
    std::vector<Item> items;  // boxes checked where given
  };
  const Case cases[] = {
      // Rows 15 pixels high (14 x 1.1) from the title's bottom; even
      // languages left, odd ones right; an unnamed language takes its place
      // but draws nothing.
      {gui::kLanguagePage,
       {{u"\u2610  \u2068German/Deutsch\u2069 / 98 %", u"ChooseLanguage 0", 1, {0, 46, 240, 61}},
        {u"\u2612  \u2068English/English\u2069 / 100 %",
         u"ChooseLanguage 1",
         2,
         {240, 46, 480, 61}},
        {u"\u2610  \u2068Arabic/\u0639\u0631\u0628\u064A\u2069 / 100 %",
         u"ChooseLanguage 3",
         3,
         {240, 61, 480, 76}},
        {u"Translate", u"ExportTranslation 0", 4, {0, 305, 240, 320}},
        {u"Load from Unicode File", u"LoadTranslation 0", 5, {241, 305, 480, 320}}}},
      {gui::kAntialiasingPage,
       {{u"(c) // http://h", u"OpenLink 1", 1, {0, 280, 480, 320}},
        {u"\u2610  t31", u"ChooseAntialiasing 0", 2, {0, 86, 480, 126}},
        {u"\u2610  MSAA: 2 X", u"ChooseAntialiasing 2", 3, {0, 126, 480, 166}},
        {u"\u2612  MSAA: 4 X", u"ChooseAntialiasing 4", 4, {0, 166, 480, 206}}}},
      {gui::kExtrasPage,
       {{u"(c) // http://h", u"OpenLink 1", 1, {0, 299, 480, 320}},
        {u"\u27A4  t68", u"MailRecommendation 0", 2, {0, 67, 480, 88}},
        {u"\u27A4  t69", u"MailProgram 0", 3},
        {u"\u27A4  t70", u"OpenLink 2", 4},
        {u"\u27A4  t245", u"OpenLink 4", 5},
        {u"\u27A4  t246", u"OpenLink 1", 6},
        {u"\u27A4  t39", u"OpenLink 6", 7, {0, 172, 480, 193}},
        {u"\u27A4  t247", u"OpenLink 3", 8, {0, 214, 480, 235}},
        {u"\u27A4  t248", u"OpenLink 5", 9}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.page);
    menu_.page = c.page;
    std::vector<Item> items = PageItems();
    ASSERT_EQ(items.size(), c.items.size());
    for (size_t i = 0; i < items.size(); ++i) {
      if (c.items[i].box.right == 0) items[i].box = {};
      EXPECT_EQ(items[i], c.items[i]);
    }
  }
}

TEST_F(MenuPagesTest, ResultsPageOffersCompareOnlyAfterARunInThisSession) {
  data_.lastResult = {.averageFps = 42.5f, .benchTime = 61.25f, .width = 800, .height = 600};
  for (const bool fresh : {true, false}) {
    SCOPED_TRACE(fresh);
    data_.freshResult = fresh;
    menu_.page = gui::kResultsPage;
    const std::vector<Item> items = PageItems();
    ASSERT_EQ(items.size(), fresh ? 3u : 2u);
    // The block: the area below the title (46..320), a third of it 3 x 63.
    EXPECT_EQ(items[0].box, (Rect{0, 46, 480, 235}));
    EXPECT_EQ(items[0].text.rfind(u"Last average FPS: 42.50\n Bench-Time 61.25\n800 x 600 / ", 0),
              0u);
    EXPECT_EQ(items[0].number, 0);
    std::vector<std::u16string> commands;
    for (size_t i = 1; i < items.size(); ++i) commands.push_back(items[i].command);
    const std::vector<std::u16string> expected =
        fresh ? std::vector<std::u16string>{u"Compare 0", u"Screenshot 0"}
              : std::vector<std::u16string>{u"Screenshot 0"};
    EXPECT_EQ(commands, expected);
  }
}

}  // namespace
