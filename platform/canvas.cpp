#include "platform/canvas.h"

namespace platform {

void Canvas::OutlineRect(const Rect& box, Color color) {
  if (box.width() <= 0 || box.height() <= 0) return;
  FillRect({box.left, box.top, box.right, box.top + 1}, color);
  FillRect({box.left, box.bottom - 1, box.right, box.bottom}, color);
  FillRect({box.left, box.top, box.left + 1, box.bottom}, color);
  FillRect({box.right - 1, box.top, box.right, box.bottom}, color);
}

}  // namespace platform
