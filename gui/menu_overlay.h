// The menu overlay: an immediate-mode menu painted into a 2D canvas that is
// shown as a translucent texture over the 3D view.
//
// Widgets are not objects. Each repaint, the page's drawing code calls a
// widget routine per item in a fixed order (gui/menu_widgets.h); an item's
// running number in that order is its identity for the mouse, the keyboard
// focus and clicks. A click is executed in the repaint that follows it, as
// the command text the item under the mouse carried.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "gui/menu_command.h"
#include "platform/canvas.h"

namespace gui {

inline constexpr int kMainPage = 0;
inline constexpr int kLoadingPage = 4;

// Colours as they appear on screen.
inline constexpr platform::Color kBlack{0, 0, 0};
inline constexpr platform::Color kGreen{0, 255, 0};          // text, outlines, selected choices
inline constexpr platform::Color kDarkGreen{0, 64, 0};       // box behind the hot item
inline constexpr platform::Color kYellow{255, 255, 0};       // text of the hot button
inline constexpr platform::Color kGreyGreen{102, 169, 102};  // unselected choice
inline constexpr platform::Color kWhite{255, 255, 255};      // result line

struct MenuOverlay;

// What the menu needs from the rest of the program. Empty hooks do nothing.
struct MenuHooks {
  // A canvas of that size, or null when it cannot be made.
  std::function<std::unique_ptr<platform::Canvas>(int width, int height)> createCanvas;
  // A user-visible text by string id, in the current language.
  std::function<std::u16string(int id)> text;
  // The title line: product name and version.
  std::u16string title;
  // Draws a page other than the loading page into the area.
  std::function<void(MenuOverlay& menu, platform::Canvas& canvas, const platform::Rect& area)>
      drawPage;
  // Runs the command of a clicked item.
  std::function<void(const Command& command)> executeCommand;
  std::function<void()> playSelectionSound;
  std::function<void(bool hand)> showHandCursor;
  // Escape on the main page: hides the menu (and stores that choice).
  std::function<void()> hideMenu;
  std::function<void(std::u16string_view text, std::u16string_view caption)> showMessage;
};

struct MenuFonts {
  int height = 0;  // character height of the big font, pixels
  platform::CanvasFont big;
  platform::CanvasFont medium;
  platform::CanvasFont small;
};

struct MenuOverlay {
  MenuHooks hooks;

  int page = kMainPage;
  bool dirty = true;
  std::u16string loadingText = u"......";

  // The main page's scrolling line: its text, where it was placed, how far
  // it has moved (pixels, negative to the left) and the whole pixel it was
  // last drawn at.
  std::u16string tickerText;
  platform::Rect tickerBox;
  double tickerOffset = 0.0;
  int tickerDrawnAt = 0;
  float progressDots = 0.0f;

  // Item protocol state.
  bool outline = true;  // false: the next item is drawn without its outline
  bool clickPending = false;
  int clickedIndex = 0;  // last item that became hot under the mouse
  int focusIndex = -1;   // item hot at the end of the last repaint
  int itemCounter = 0;   // running item number during a repaint
  int hotIndex = -1;     // item hot in this repaint; 0 = none
  int inputMode = -1;    // 1 mouse, 2 keyboard step, 0 nothing since the last repaint
  int keyboardStep = 0;  // -1, 0 or +1
  Command hotCommand;
  int keyboardTarget = 0;
  int pointerX = 0;  // last mouse position relative to the overlay origin
  int pointerY = 0;
  // A move that arrived after a click but before the repaint that runs the
  // click; it applies in the repaint after that one.
  bool moveAfterClick = false;
  int movedX = 0;
  int movedY = 0;

  // Layout.
  int originX = 0;  // top-left of the overlay in client coordinates
  int originY = 0;
  int layoutKeyHeight = -1;  // client height / 16 and width / 16 at the last layout
  int layoutKeyWidth = -1;
  int layoutCount = 0;  // how many layouts were made
  MenuFonts fonts;
  std::unique_ptr<platform::Canvas> canvas;

  unsigned texture = 0;  // GL texture name, 0 until the first upload
  int textureWidth = 0;
  int textureHeight = 0;
};

void RequestRedraw(MenuOverlay& menu);
void ShowPage(MenuOverlay& menu, int page);
// Key-down (pressed) with the keys held: Tab, arrows step the highlight,
// Escape or Backspace go back. Non-zero when the menu consumed the key. Acts
// only while the menu is shown.
int MenuKey(MenuOverlay& menu, const uint8_t (&keyDown)[256], bool pressed, bool menuVisible);
// Mouse moves and left-button releases in client coordinates. A click is
// kept, at the point of the release, until a repaint has run it.
void MenuPointer(MenuOverlay& menu, int x, int y, bool clicked, bool menuVisible);
// Back from a sub-page (1), or hide the menu from the main page (2).
int MenuBack(MenuOverlay& menu);

// Sizes the canvas and fonts; false, with nothing changed, for a size under
// 100 pixels either way or when no canvas can be made.
bool LayoutCanvas(MenuOverlay& menu, int width, int height);

// One repaint for a window client area of that size: lays the canvas out
// again when the size crossed a 16-pixel step, and when something changed
// paints the whole canvas and runs a clicked command. True when the canvas
// was painted.
bool PaintMenu(MenuOverlay& menu, int clientWidth, int clientHeight);

// Moves the main page's ticker left by 25 pixels a second of frame time.
// When it reached another whole pixel and no full repaint is pending, only
// its strip is drawn again; true then, and the canvas needs uploading.
bool AdvanceTicker(MenuOverlay& menu, double frameTimeMs);

// A frame's menu work: the ticker moves by the last frame's time and the
// canvas is repainted when something changed. True when any pixel changed
// and the canvas needs uploading.
bool RefreshMenuCanvas(MenuOverlay& menu, int clientWidth, int clientHeight, double frameTimeMs);

// Where the overlay's top-left lies for a client area of that size.
void PlaceOverlay(MenuOverlay& menu, int clientWidth, int clientHeight);

}  // namespace gui
