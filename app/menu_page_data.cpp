#include "app/menu_page_data.h"

#include "app/compare.h"
#include "app/main_window.h"
#include "lang/language.h"
#include "platform/text_codec.h"
#include "share/open_link.h"

namespace app {
namespace {

// The copyright line of the general table, shown with the homepage address.
constexpr int kCopyrightId = 27;

}  // namespace

gui::MenuPageData CollectMenuPageData(const Application& a, const std::string& osVersion) {
  const AppSettings& s = a.settings;
  gui::MenuPageData data;
  data.screenType = s.screenChoice.value;
  data.renderType = s.quality.value;
  data.brightness = s.brightness.value;
  const platform::DisplaySize display = a.windows.GetDisplaySize();
  data.displayWidth = display.width;
  data.displayHeight = display.height;
  data.antialias.clear();
  for (const auto& [index, label] : a.win.antialiasChoices)
    data.antialias.push_back({AntialiasSamples(label), label});
  if (data.antialias.empty()) data.antialias.push_back({0, u"Off"});
  data.antialiasLabel = a.win.antialiasLabel;
  const int uiLanguage = lang::UiLanguage();
  data.homepageBase =
      platform::Utf8ToUtf16(share::CurrentHomepageBase(uiLanguage, s.homepageUrl.value));
  const char16_t* copyright = lang::GetGeneralString(kCopyrightId);
  data.copyright = copyright != nullptr ? copyright : u"";
  data.lastResult = StoredResultOf(s);
  data.freshResult = a.app.freshResult;
  data.gl = {a.app.renderer, a.app.versionText, a.app.vendorText};
  data.osVersion = osVersion;
  const lang::StringArchive& archive = lang::ProgramStrings();
  for (int i = 0; i < archive.languageCount; ++i) {
    const char16_t* name = archive.languageNames[i];
    data.languages.push_back({name != nullptr ? name : u"", archive.coverage[i]});
  }
  data.uiLanguage = uiLanguage;
  return data;
}

void WireMenuPages(Application& a, platform::SystemInfo& system) {
  a.menu.hooks.drawPage = [&a, osVersion = OsVersionText(system)](gui::MenuOverlay& menu,
                                                                  platform::Canvas& canvas,
                                                                  const platform::Rect& area) {
    gui::DrawMenuPage(menu, canvas, area, CollectMenuPageData(a, osVersion));
  };
}

}  // namespace app
