// The antialiasing and extras pages, and the page the menu shows.
#include "gui/menu_pages.h"

namespace gui {
namespace {

using platform::Rect;

constexpr int kAntialiasRow = 40;  // pixels

// The copyright and the homepage address along the bottom of a sub-page.
void DrawHomepageLink(MenuOverlay& menu, platform::Canvas& canvas, const Rect& box,
                      const MenuPageData& data) {
  DrawLink(menu, canvas, box, menu.fonts.big,
           {data.copyright + u" // " + data.homepageBase, OpenLink(Link::Homepage)});
}

}  // namespace

void DrawAntialiasingPage(MenuOverlay& menu, platform::Canvas& canvas, const Rect& area,
                          const MenuPageData& data) {
  DrawHomepageLink(menu, canvas, {area.left, area.bottom - kAntialiasRow, area.right, area.bottom},
                   data);
  int top = area.top + kAntialiasRow;
  for (size_t i = 0; i < data.antialias.size(); ++i) {
    const AntialiasChoice& choice = data.antialias[i];
    const std::u16string text = i == 0 ? MenuText(menu, 31) : choice.label;
    const char16_t* box = choice.label == data.antialiasLabel ? u"\u2612" : u"\u2610";
    DrawButton(
        menu, canvas, {area.left, top, area.right, top + kAntialiasRow}, menu.fonts.big,
        {box + std::u16string(u"  ") + text, Do(CommandKind::ChooseAntialiasing, choice.samples)});
    top += kAntialiasRow;
  }
}

void DrawExtrasPage(MenuOverlay& menu, platform::Canvas& canvas, const Rect& area,
                    const MenuPageData& data) {
  const int r = RowHeight(menu);
  DrawHomepageLink(menu, canvas, {area.left, area.bottom - r, area.right, area.bottom}, data);
  struct Entry {
    int row;  // rows of r below the area's top
    int textId;
    Command command;
  };
  const Entry entries[] = {{1, 68, Do(CommandKind::MailRecommendation)},
                           {2, 69, Do(CommandKind::MailProgram)},
                           {3, 70, OpenLink(Link::More)},
                           {4, 245, OpenLink(Link::History)},
                           {5, 246, OpenLink(Link::Homepage)},
                           {6, 39, OpenLink(Link::Results)},
                           {8, 247, OpenLink(Link::Donate)},
                           {9, 248, OpenLink(Link::Thanks)}};
  for (const Entry& entry : entries) {
    const int top = area.top + entry.row * r;
    DrawButton(menu, canvas, {area.left, top, area.right, top + r}, menu.fonts.big,
               {u"\u27A4  " + MenuText(menu, entry.textId), entry.command});
  }
}

void DrawMenuPage(MenuOverlay& menu, platform::Canvas& canvas, const Rect& area,
                  const MenuPageData& data) {
  switch (menu.page) {
    case kMainPage:
      DrawMainPage(menu, canvas, area, data);
      break;
    case kLanguagePage:
      DrawLanguagePage(menu, canvas, area, data);
      break;
    case kAntialiasingPage:
      DrawAntialiasingPage(menu, canvas, area, data);
      break;
    case kExtrasPage:
      DrawExtrasPage(menu, canvas, area, data);
      break;
    case kResultsPage:
      DrawResultsPage(menu, canvas, area, data);
      break;
    default:
      break;
  }
}

}  // namespace gui
