// The menu overlay's state as the shell sees it: which page it shows, the
// loading text, and the keys and pointer it takes. Drawing comes with the
// menu canvas.
#pragma once

#include <cstdint>
#include <string>

namespace gui {

inline constexpr int kLoadingPage = 4;

struct MenuOverlay {
  int page = 0;
  bool redrawRequested = false;
  std::u16string loadingText;
  int pointerX = 0;
  int pointerY = 0;
  bool clickPending = false;
};

void RequestRedraw(MenuOverlay& menu);
// Non-zero when the menu consumed the key. Acts only while the menu is shown.
int MenuKey(MenuOverlay& menu, const uint8_t (&keyDown)[256], bool pressed, bool menuVisible);
void MenuPointer(MenuOverlay& menu, int x, int y, bool clicked);
// Back from a sub-page; non-zero when it acted.
int MenuBack(MenuOverlay& menu);

// Paints the menu into its bitmap when a redraw was asked for, and draws its
// texture over the frame.
void DrawMenuBitmap(MenuOverlay& menu);
void DrawMenuTexture(const MenuOverlay& menu, int viewportWidth, int viewportHeight);

}  // namespace gui
