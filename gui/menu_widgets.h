// The menu's widget routines. Each clickable item takes the next running
// item number and becomes hot when the mouse lies on it or the keyboard step
// lands on its number; a hot item is drawn over a dark green box.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "gui/menu_overlay.h"

namespace gui {

struct ItemText {
  std::u16string_view text;
  Command command;  // None: clicking does nothing
  platform::Color color = kGreen;
  bool clickable = true;
};

// Text centred on one line; a hot button shows its text in yellow.
void DrawButton(MenuOverlay& menu, platform::Canvas& canvas, const platform::Rect& box,
                const platform::CanvasFont& font, const ItemText& item);
// As a button, but a hot link keeps its own colour.
void DrawLink(MenuOverlay& menu, platform::Canvas& canvas, const platform::Rect& box,
              const platform::CanvasFont& font, const ItemText& item);

// The ticker: one line that scrolls left through the box by the menu's
// ticker offset and comes back in from the right once it has left. Not an
// item: it takes no number.
void DrawTicker(MenuOverlay& menu, platform::Canvas& canvas, const platform::Rect& box,
                const platform::CanvasFont& font, std::u16string_view text);

struct OptionChoice {
  std::u16string text;
  Command command;
  bool selected = false;
};

// A caption "<caption> :" over the left fifth, then the choices side by side
// over the rest, green when selected and grey-green otherwise.
void DrawOptionRow(MenuOverlay& menu, platform::Canvas& canvas, const platform::Rect& row,
                   const platform::CanvasFont& font, std::u16string_view caption,
                   std::span<const OptionChoice> choices);

}  // namespace gui
