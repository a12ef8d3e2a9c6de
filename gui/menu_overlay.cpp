#include "gui/menu_overlay.h"

namespace gui {

void RequestRedraw(MenuOverlay& menu) { menu.redrawRequested = true; }

int MenuKey(MenuOverlay&, const uint8_t (&)[256], bool, bool) { return 0; }

void MenuPointer(MenuOverlay& menu, int x, int y, bool clicked) {
  menu.pointerX = x;
  menu.pointerY = y;
  if (clicked) menu.clickPending = true;
}

int MenuBack(MenuOverlay&) { return 0; }

void DrawMenuBitmap(MenuOverlay& menu) { menu.redrawRequested = false; }

void DrawMenuTexture(const MenuOverlay&, int, int) {}

}  // namespace gui
