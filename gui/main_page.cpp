#include <cstdio>
#include <deque>

#include "gui/menu_pages.h"
#include "platform/text_codec.h"

namespace gui {
namespace {

using platform::Rect;

// The 1920 x 1080 window needs a display at least this large.
constexpr int kFullHdWidth = 1920;
constexpr int kFullHdHeight = 1080;

std::u16string Arrows(const MenuOverlay& menu, int id) {
  return u">>> " + MenuText(menu, id) + u" <<<";
}

}  // namespace

std::u16string MenuText(const MenuOverlay& menu, int id) {
  return menu.hooks.text ? menu.hooks.text(id) : std::u16string();
}

int RowHeight(const MenuOverlay& menu) { return static_cast<int>(menu.fonts.height * 1.5); }

std::vector<OptionChoice> ScreenChoices(const MenuPageData& data, std::u16string_view fullScreen) {
  std::vector<OptionChoice> choices = {
      {std::u16string(fullScreen), Do(CommandKind::ChooseScreen, 0)},
      {u"1024x768", Do(CommandKind::ChooseScreen, 1)},
      {u"1366\u00D7768", Do(CommandKind::ChooseScreen, 2)}};
  if (data.displayWidth >= kFullHdWidth && data.displayHeight >= kFullHdHeight) {
    choices.push_back({u"1920\u00D71080", Do(CommandKind::ChooseScreen, 3)});
  }
  for (size_t i = 0; i < choices.size(); ++i) {
    choices[i].selected = static_cast<int>(i) == data.screenType;
  }
  return choices;
}

std::vector<OptionChoice> BrightnessChoices(float brightness) {
  const int selected = static_cast<int>(static_cast<double>(brightness) * 100.1);
  std::vector<OptionChoice> choices;
  for (int v = -30; v <= 30; v += 10) {
    const std::u16string text = platform::FormatInt(v) + u" %";
    choices.push_back({text, Do(CommandKind::ChooseBrightness, v), v + 100 == selected});
  }
  return choices;
}

void DrawMainPage(MenuOverlay& menu, platform::Canvas& canvas, const Rect& area,
                  const MenuPageData& data) {
  const MenuFonts& fonts = menu.fonts;
  const int r = RowHeight(menu);
  const int h = area.bottom - 1;
  const int left = area.left;
  const int right = area.right;
  const auto row = [&](int top, int bottom) { return Rect{left, top, right, bottom}; };

  menu.tickerText = u" + + + " + MenuText(menu, 2) + u" + + + " + MenuText(menu, 3) + u" + + + " +
                    MenuText(menu, 4);
  menu.tickerBox = row(area.top + static_cast<int>(r * 2.2), area.top + static_cast<int>(r * 3.2));
  DrawTicker(menu, canvas, menu.tickerBox, fonts.small, menu.tickerText);

  DrawOptionRow(menu, canvas, row(h - 5 * r, h - 4 * r), fonts.medium, MenuText(menu, 13),
                BrightnessChoices(data.brightness));

  std::vector<OptionChoice> antialias;
  for (size_t i = 0; i < data.antialias.size(); ++i) {
    const AntialiasChoice& choice = data.antialias[i];
    const std::u16string text = i == 0 ? MenuText(menu, 31) : choice.label;
    antialias.push_back({text, Do(CommandKind::ChooseAntialiasing, choice.samples),
                         choice.label == data.antialiasLabel});
  }
  DrawOptionRow(menu, canvas, row(h - 6 * r, h - 5 * r), fonts.medium, MenuText(menu, 30),
                antialias);

  std::vector<OptionChoice> render;
  for (int i = 0; i < 3; ++i) {
    render.push_back(
        {MenuText(menu, 41 + i), Do(CommandKind::ChooseQuality, i), i == data.renderType});
  }
  DrawOptionRow(menu, canvas, row(h - 7 * r, h - 6 * r), fonts.medium, MenuText(menu, 40), render);

  DrawOptionRow(menu, canvas, row(h - 8 * r, h - 7 * r), fonts.medium, u"Bench. Res.",
                ScreenChoices(data, MenuText(menu, 32)));

  // The summary of the last run, white and without outline.
  std::deque<std::u16string> texts;
  const bench::StringLookup lookup = [&](int id) {
    return texts.emplace_back(MenuText(menu, id)).c_str();
  };
  menu.outline = false;
  DrawButton(menu, canvas, row(h - 11 * r, h - 10 * r), fonts.medium,
             {bench::FormatLastResultLine(data.lastResult, lookup),
              Do(CommandKind::ShowPage, kResultsPage), kWhite});

  DrawButton(menu, canvas, row(h - 10 * r, h - 8 * r), fonts.big,
             {Arrows(menu, 34), Do(CommandKind::StartRun)});

  const std::u16string links[] = {u"> " + MenuText(menu, 247), u"> " + MenuText(menu, 244),
                                  u"> LNG", u"> " + MenuText(menu, 67)};
  const Command linkCommands[] = {OpenLink(Link::Donate), OpenLink(Link::Faq),
                                  Do(CommandKind::ShowPage, kLanguagePage),
                                  Do(CommandKind::ShowPage, kExtrasPage)};
  const int width = right - left;
  for (int i = 0; i < 4; ++i) {
    DrawLink(menu, canvas, {left + width * i / 4, h - 2 * r, left + width * (i + 1) / 4, h - r},
             fonts.small, {links[i], linkCommands[i]});
  }
  DrawButton(menu, canvas, row(h - r, h), fonts.small,
             {data.homepageBase + u" // " + data.copyright, OpenLink(Link::Homepage)});

  DrawButton(menu, canvas, row(h - 4 * r, h - 2 * r), fonts.big,
             {Arrows(menu, 33), Do(CommandKind::StartAutopilot)});
}

}  // namespace gui
