// The menu canvas on screen: its texture, and the translucent quad over the
// 3D view. Needs the main GL context current.
#pragma once

#include "gui/menu_overlay.h"

namespace gui {

// Moves the ticker by the last frame's time, repaints the canvas when
// something changed (PaintMenu) and uploads it into the menu texture when
// any pixel changed.
void DrawMenuBitmap(MenuOverlay& menu, int clientWidth, int clientHeight, double frameTimeMs);
// Draws the texture at 80 % opacity, centred over the viewport, and records
// where it lies so the mouse can be placed on it.
void DrawMenuTexture(MenuOverlay& menu, int viewportWidth, int viewportHeight);
void DeleteMenuTexture(MenuOverlay& menu);

}  // namespace gui
