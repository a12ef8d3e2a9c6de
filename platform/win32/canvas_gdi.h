// The canvas drawn into a 32-bit DIB section; text with GDI (font fallback
// through the family list, shaping and right-to-left order from GDI's
// complex-script support).
#pragma once

#include <memory>

#include "platform/canvas.h"

namespace platform::win32 {

// Null when the bitmap cannot be created (sizes below 1 or out of memory).
std::unique_ptr<Canvas> CreateGdiCanvas(int width, int height);

}  // namespace platform::win32
