// The language page: every language of the string archive with its
// coverage, two to a row, and the translation buttons along the bottom.
#include <algorithm>

#include "gui/menu_pages.h"
#include "platform/text_codec.h"

namespace gui {

void DrawLanguagePage(MenuOverlay& menu, platform::Canvas& canvas, const platform::Rect& area,
                      const MenuPageData& data) {
  const int h = static_cast<int>(menu.fonts.height * 1.1);
  const int middle = area.left + area.width() / 2;
  int top = area.top;
  for (size_t i = 0; i < data.languages.size(); ++i) {
    const LanguageEntry& language = data.languages[i];
    const bool odd = i % 2 == 1;
    if (!language.name.empty()) {
      std::u16string name = language.name;
      std::replace(name.begin(), name.end(), u'\t', u'/');
      const int index = static_cast<int>(i);
      const char16_t* box = index == data.uiLanguage ? u"\u2612" : u"\u2610";
      // The name is isolated, so a right-to-left native name keeps the
      // figure after it in reading order.
      const std::u16string text = box + std::u16string(u"  \u2068") + name + u"\u2069 / " +
                                  platform::FormatInt(language.coverage) + u" %";
      const platform::Rect cell = odd ? platform::Rect{middle, top, area.right, top + h}
                                      : platform::Rect{area.left, top, middle, top + h};
      DrawButton(menu, canvas, cell, menu.fonts.medium,
                 {text, Do(CommandKind::ChooseLanguage, index)});
    }
    if (odd) top += h;
  }
  const int bottom = area.bottom;
  DrawButton(menu, canvas, {area.left, bottom - h, middle, bottom}, menu.fonts.medium,
             {u"Translate", Do(CommandKind::ExportTranslation)});
  DrawButton(menu, canvas, {middle + 1, bottom - h, area.right, bottom}, menu.fonts.medium,
             {u"Load from Unicode File", Do(CommandKind::LoadTranslation)});
}

}  // namespace gui
