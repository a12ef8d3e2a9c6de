// The menu canvas on screen: its texture, and the translucent quad over the
// 3D view. Needs the main GL context current.
#pragma once

#include "gui/menu_overlay.h"

namespace gui {

// Copies the canvas into the menu texture, made at the canvas's size.
void UploadMenuCanvas(MenuOverlay& menu);
// Draws the texture at 80 % opacity, centred over the viewport, and records
// where it lies so the mouse can be placed on it.
void DrawMenuTexture(MenuOverlay& menu, int viewportWidth, int viewportHeight);
void DeleteMenuTexture(MenuOverlay& menu);

}  // namespace gui
