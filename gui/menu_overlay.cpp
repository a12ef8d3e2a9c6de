#include "gui/menu_overlay.h"

#include <algorithm>

#include "gui/menu_widgets.h"
#include "platform/text_codec.h"
#include "platform/virtual_keys.h"

namespace gui {
namespace {

namespace vk = platform::vk;
using platform::Rect;

// Canvas and font sizes are refused below this many pixels.
constexpr int kSmallestCanvas = 100;
// The window size is followed in steps of this many pixels.
constexpr int kLayoutStep = 16;

void PlaySelectionSound(MenuOverlay& menu) {
  if (menu.hooks.playSelectionSound) menu.hooks.playSelectionSound();
}

std::u16string Text(const MenuOverlay& menu, int id) {
  return menu.hooks.text ? menu.hooks.text(id) : std::u16string();
}

// Back or OK, Exit, then the title. Counted before the item numbers start
// again, so their numbers follow on from the previous repaint.
void DrawHeader(MenuOverlay& menu, platform::Canvas& canvas, int rowHeight) {
  const int width = canvas.width();
  const std::u16string back = Text(menu, menu.page != kMainPage ? 10 : 12);
  const std::u16string exit = Text(menu, 14);
  DrawButton(menu, canvas, {0, 0, width / 2, rowHeight}, menu.fonts.medium,
             {back, Do(CommandKind::Back)});
  DrawButton(menu, canvas, {width / 2, 0, width, rowHeight}, menu.fonts.medium,
             {exit, Do(CommandKind::Exit)});
  DrawButton(menu, canvas, {0, rowHeight, width, static_cast<int>(rowHeight * 2.2)}, menu.fonts.big,
             {menu.hooks.title, {}});
}

void DrawLoadingPage(MenuOverlay& menu, platform::Canvas& canvas, const Rect& area) {
  std::u16string text = u"\n\n\n" + menu.loadingText + u"\n....";
  text.append(static_cast<size_t>(menu.progressDots), u'.');
  canvas.DrawText(area, text, menu.fonts.big, kGreen, platform::TextFlow::WrappedBlock);
  canvas.OutlineRect(area, kGreen);
  menu.progressDots += 0.1f;
  if (menu.progressDots > 10.0f || menu.progressDots < 0.0f) menu.progressDots = 0.0f;
}

}  // namespace

void RequestRedraw(MenuOverlay& menu) { menu.dirty = true; }

void ShowPage(MenuOverlay& menu, int page) {
  menu.page = page;
  menu.dirty = true;
  PlaySelectionSound(menu);
}

int MenuKey(MenuOverlay& menu, const uint8_t (&keyDown)[256], bool pressed, bool menuVisible) {
  if (!menuVisible || !pressed) return 0;
  int step = 0;
  if (keyDown[vk::kTab]) step = keyDown[vk::kShift] ? -1 : 1;
  if (keyDown[vk::kUp]) step = -1;
  if (keyDown[vk::kDown]) step = 1;
  if (keyDown[vk::kLeft]) step = -1;
  if (keyDown[vk::kRight]) step = 1;
  if (step != 0) {
    menu.keyboardStep = step;
    menu.dirty = true;
    menu.inputMode = 2;
  }
  if (keyDown[vk::kEscape] || keyDown[vk::kBack]) return MenuBack(menu);
  return 0;
}

void MenuPointer(MenuOverlay& menu, int x, int y, bool clicked, bool menuVisible) {
  if (!menuVisible) return;
  menu.dirty = true;
  menu.inputMode = 1;
  if (menu.clickPending && !clicked) {
    menu.moveAfterClick = true;
    menu.movedX = x - menu.originX;
    menu.movedY = y - menu.originY;
    return;
  }
  menu.clickPending = clicked;
  menu.moveAfterClick = false;
  menu.pointerX = x - menu.originX;
  menu.pointerY = y - menu.originY;
}

int MenuBack(MenuOverlay& menu) {
  if (menu.page != kMainPage) {
    ShowPage(menu, kMainPage);
    return 1;
  }
  menu.dirty = true;
  if (menu.hooks.hideMenu) menu.hooks.hideMenu();
  return 2;
}

bool LayoutCanvas(MenuOverlay& menu, int width, int height) {
  if (width < kSmallestCanvas || height < kSmallestCanvas || !menu.hooks.createCanvas) {
    return false;
  }
  std::unique_ptr<platform::Canvas> canvas = menu.hooks.createCanvas(width, height);
  if (!canvas) {
    if (menu.hooks.showMessage) {
      const std::u16string size = platform::FormatInt(width) + u" x " + platform::FormatInt(height);
      menu.hooks.showMessage(size, u"dib-err");
    }
    return false;
  }
  menu.canvas = std::move(canvas);
  // The character height follows the canvas (4.6 % of its height) rather
  // than the desktop's menu font, so the menu looks the same on every
  // desktop at every window size; the families are the program's own.
  const int fontHeight = static_cast<int>(height * 0.046);
  const int smaller = static_cast<int>(fontHeight * 0.7);
  menu.fonts.height = fontHeight;
  menu.fonts.big = {.pixelSize = fontHeight, .weight = 700, .italic = true};
  menu.fonts.medium = {.pixelSize = smaller, .weight = 700, .italic = true};
  menu.fonts.small = {.pixelSize = smaller, .weight = 400, .italic = true};
  menu.layoutCount += 1;
  return true;
}

bool PaintMenu(MenuOverlay& menu, int clientWidth, int clientHeight) {
  const int keyHeight = clientHeight / kLayoutStep;
  const int keyWidth = clientWidth / kLayoutStep;
  if (keyHeight != menu.layoutKeyHeight || keyWidth != menu.layoutKeyWidth) {
    const int height = clientHeight / 2;
    if (LayoutCanvas(menu, static_cast<int>(height * 1.5), height)) {
      menu.layoutKeyHeight = keyHeight;
      menu.layoutKeyWidth = keyWidth;
    }
    menu.dirty = true;
  }
  if (!menu.dirty || !menu.canvas) return false;
  menu.dirty = false;
  platform::Canvas& canvas = *menu.canvas;
  canvas.Clear(kBlack);

  const int rowHeight = static_cast<int>(menu.fonts.height * 1.5);
  canvas.OutlineRect({0, 0, canvas.width(), canvas.height()}, kGreen);
  if (menu.page != kLoadingPage) DrawHeader(menu, canvas, rowHeight);

  menu.itemCounter = 0;
  menu.hotIndex = 0;
  menu.keyboardTarget = 0;
  if (menu.keyboardStep != 0) menu.keyboardTarget = menu.focusIndex + menu.keyboardStep;

  const Rect whole{0, 0, canvas.width(), canvas.height()};
  const Rect belowTitle{0, static_cast<int>(rowHeight * 2.2), canvas.width(), canvas.height()};
  if (menu.page == kLoadingPage) {
    DrawLoadingPage(menu, canvas, belowTitle);
  } else if (menu.hooks.drawPage) {
    menu.hooks.drawPage(menu, canvas, menu.page == kMainPage ? whole : belowTitle);
  }

  if (menu.hotIndex != menu.focusIndex) {
    menu.focusIndex = menu.hotIndex;
    if (menu.hotIndex != 0) PlaySelectionSound(menu);
  }
  const Command command = menu.hotCommand;
  const bool execute = menu.clickPending && command.kind != CommandKind::None;
  menu.clickPending = false;
  menu.hotCommand = {};
  if (menu.hooks.showHandCursor) menu.hooks.showHandCursor(menu.hotIndex != 0);
  menu.inputMode = 0;
  menu.keyboardStep = 0;
  if (menu.moveAfterClick) {
    menu.moveAfterClick = false;
    menu.pointerX = menu.movedX;
    menu.pointerY = menu.movedY;
    menu.inputMode = 1;
    menu.dirty = true;
  }
  if (execute && menu.hooks.executeCommand) menu.hooks.executeCommand(command);
  return true;
}

bool AdvanceTicker(MenuOverlay& menu, double frameTimeMs) {
  if (menu.page != kMainPage) return false;
  // 25 pixels a second.
  menu.tickerOffset -= frameTimeMs * 0.025;
  if (static_cast<int>(menu.tickerOffset) == menu.tickerDrawnAt) return false;
  if (menu.dirty || !menu.canvas || menu.tickerBox.width() <= 10) return false;
  platform::Canvas& canvas = *menu.canvas;
  canvas.FillRect(menu.tickerBox, kBlack);
  DrawTicker(menu, canvas, menu.tickerBox, menu.fonts.small, menu.tickerText);
  return true;
}

bool RefreshMenuCanvas(MenuOverlay& menu, int clientWidth, int clientHeight, double frameTimeMs) {
  const bool tickerMoved = AdvanceTicker(menu, frameTimeMs);
  const bool painted = PaintMenu(menu, clientWidth, clientHeight);
  return tickerMoved || painted;
}

void PlaceOverlay(MenuOverlay& menu, int clientWidth, int clientHeight) {
  if (!menu.canvas) return;
  menu.originX = clientWidth / 2 - menu.canvas->width() / 2;
  menu.originY = clientHeight / 2 - menu.canvas->height() / 2;
}

}  // namespace gui
