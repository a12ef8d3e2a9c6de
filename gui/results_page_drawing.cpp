// The results page: the last run's figures and the machine in one block,
// then Compare (after a run in this session) and ScreenShot.
#include <deque>

#include "gui/menu_pages.h"
#include "platform/text_codec.h"

namespace gui {

void DrawResultsPage(MenuOverlay& menu, platform::Canvas& canvas, const platform::Rect& area,
                     const MenuPageData& data) {
  std::deque<std::u16string> texts;
  const bench::StringLookup lookup = [&](int id) {
    return texts.emplace_back(MenuText(menu, id)).c_str();
  };
  const bench::ResultsPage page = bench::LayoutResultsPage(
      area, data.lastResult, data.gl, data.osVersion, lookup, data.freshResult);
  canvas.DrawText(page.block.rect, page.block.text, menu.fonts.big, kGreen,
                  platform::TextFlow::WrappedBlock);
  canvas.OutlineRect(page.block.rect, kGreen);
  for (const bench::ResultsButton& button : page.buttons) {
    DrawButton(menu, canvas, button.rect, menu.fonts.big,
               {button.text, button.action == bench::ResultsAction::Compare
                                 ? Do(CommandKind::Compare)
                                 : Do(CommandKind::Screenshot)});
  }
}

}  // namespace gui
