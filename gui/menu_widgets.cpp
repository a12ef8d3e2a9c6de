#include "gui/menu_widgets.h"

namespace gui {
namespace {

using platform::Rect;

bool Inside(const Rect& box, int x, int y) {
  return x >= box.left && x < box.right && y >= box.top && y < box.bottom;
}

// Takes the next item number and tells whether the item is hot in this repaint.
bool TakeItem(MenuOverlay& menu, const Rect& box, const Command& command) {
  menu.itemCounter += 1;
  const int number = menu.itemCounter;
  if (menu.inputMode == 1 && Inside(box, menu.pointerX, menu.pointerY) && number != menu.hotIndex) {
    menu.hotIndex = number;
    menu.clickedIndex = number;
    menu.hotCommand = command;
    return true;
  }
  if (menu.inputMode == 2 && number == menu.keyboardTarget && number != menu.hotIndex) {
    menu.hotIndex = number;
    return true;
  }
  return false;
}

void DrawItem(MenuOverlay& menu, platform::Canvas& canvas, const Rect& box,
              const platform::CanvasFont& font, const ItemText& item, bool keepColourWhenHot) {
  const bool hot = item.clickable && TakeItem(menu, box, item.command);
  platform::Color color = item.color;
  if (hot) {
    canvas.FillRect(box, kDarkGreen);
    if (!keepColourWhenHot) color = kYellow;
  }
  canvas.DrawText(box, item.text, font, color, platform::TextFlow::CentredLine);
  if (menu.outline) canvas.OutlineRect(box, kGreen);
  menu.outline = true;
}

}  // namespace

void DrawButton(MenuOverlay& menu, platform::Canvas& canvas, const Rect& box,
                const platform::CanvasFont& font, const ItemText& item) {
  DrawItem(menu, canvas, box, font, item, false);
}

void DrawLink(MenuOverlay& menu, platform::Canvas& canvas, const Rect& box,
              const platform::CanvasFont& font, const ItemText& item) {
  DrawItem(menu, canvas, box, font, item, true);
}

void DrawTicker(MenuOverlay& menu, platform::Canvas& canvas, const Rect& box,
                const platform::CanvasFont& font, std::u16string_view text) {
  const int textWidth = canvas.MeasureText(text, font).width;
  if (box.left + menu.tickerOffset < -textWidth) menu.tickerOffset = box.width();
  menu.tickerDrawnAt = static_cast<int>(menu.tickerOffset);
  canvas.DrawTextAt(box, box.left + menu.tickerDrawnAt, text, font, kGreen);
  canvas.OutlineRect(box, kGreen);
}

void DrawOptionRow(MenuOverlay& menu, platform::Canvas& canvas, const Rect& row,
                   const platform::CanvasFont& font, std::u16string_view caption,
                   std::span<const OptionChoice> choices) {
  const int rowWidth = row.width();
  const Rect captionBox{row.left, row.top, row.left + static_cast<int>(rowWidth * 0.2), row.bottom};
  const std::u16string captionText = std::u16string(caption) + u" :";
  DrawButton(menu, canvas, captionBox, font, {captionText, {}, kGreen, true});
  if (choices.empty()) return;
  // The choices share the rest of the row, one pixel apart, and the last one
  // ends at the row's right edge.
  const int start = captionBox.right + 1;
  const int span = row.right - start + 1;
  const int count = static_cast<int>(choices.size());
  for (int i = 0; i < count; ++i) {
    const Rect box{start + span * i / count, row.top, start + span * (i + 1) / count - 1,
                   row.bottom};
    const OptionChoice& choice = choices[static_cast<size_t>(i)];
    DrawButton(menu, canvas, box, font,
               {choice.text, choice.command, choice.selected ? kGreen : kGreyGreen, true});
  }
}

}  // namespace gui
