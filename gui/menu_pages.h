// The menu's pages: main, language, antialiasing, extras and results. Each
// draws its items in a fixed order with the widget routines, so an item's
// running number is its identity, and carries the command the program runs
// when the item is clicked. What the pages show of the program's state
// comes in as a MenuPageData, filled by the program for each repaint.
#pragma once

#include <string>
#include <vector>

#include "bench/result_page.h"
#include "gui/menu_overlay.h"
#include "gui/menu_widgets.h"

namespace gui {

inline constexpr int kLanguagePage = 1;
inline constexpr int kAntialiasingPage = 2;
inline constexpr int kExtrasPage = 3;
inline constexpr int kResultsPage = 5;

struct AntialiasChoice {
  int samples = 0;
  std::u16string label;  // "Off" or "MSAA: <samples> X"
};

struct LanguageEntry {
  std::u16string name;  // "German\tDeutsch"; empty for an unnamed language
  int coverage = 0;     // per cent of the English texts it has
};

struct MenuPageData {
  int screenType = 0;       // m_screen_type: 0 full screen, 1..3 window sizes
  int renderType = 1;       // render_type: 0 low, 1 medium, 2 high
  float brightness = 1.0f;  // m_global_gama
  int displayWidth = 0;     // the desktop, pixels
  int displayHeight = 0;
  // The antialiasing choices, "Off" first, and the current one's label.
  std::vector<AntialiasChoice> antialias{{0, u"Off"}};
  std::u16string antialiasLabel = u"Off";
  std::u16string homepageBase;  // the maker's homepage address
  std::u16string copyright;     // shown with the homepage address
  bench::StoredResult lastResult;
  bool freshResult = false;  // a run ended since the program started
  bench::GlStrings gl;
  std::string osVersion;  // major.minor.build
  std::vector<LanguageEntry> languages;
  int uiLanguage = 1;
};

// The screen row's choices and which one is selected. The 1920 x 1080
// window is offered only on displays at least 1920 wide and 1080 high.
std::vector<OptionChoice> ScreenChoices(const MenuPageData& data, std::u16string_view fullScreen);
// The brightness row: -30 % .. 30 % in steps of 10; the choice v with
// v + 100 = trunc(brightness x 100.1) is selected, so the stored 0.7, 1.0
// and 1.3 select -30, 0 and 30 although they are not exact floats.
std::vector<OptionChoice> BrightnessChoices(float brightness);

// Page 0 over the whole canvas.
void DrawMainPage(MenuOverlay& menu, platform::Canvas& canvas, const platform::Rect& area,
                  const MenuPageData& data);
// Pages 1, 2, 3 and 5 in the area below the title.
void DrawLanguagePage(MenuOverlay& menu, platform::Canvas& canvas, const platform::Rect& area,
                      const MenuPageData& data);
void DrawAntialiasingPage(MenuOverlay& menu, platform::Canvas& canvas, const platform::Rect& area,
                          const MenuPageData& data);
void DrawExtrasPage(MenuOverlay& menu, platform::Canvas& canvas, const platform::Rect& area,
                    const MenuPageData& data);
void DrawResultsPage(MenuOverlay& menu, platform::Canvas& canvas, const platform::Rect& area,
                     const MenuPageData& data);

// The page the menu shows (the loading page excepted).
void DrawMenuPage(MenuOverlay& menu, platform::Canvas& canvas, const platform::Rect& area,
                  const MenuPageData& data);

// A language text through the menu's hooks; empty when there is none.
std::u16string MenuText(const MenuOverlay& menu, int id);
// Row height of the big font: the unit the pages are laid out in.
int RowHeight(const MenuOverlay& menu);

}  // namespace gui
