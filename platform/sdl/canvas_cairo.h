// The canvas drawn with Cairo (an ARGB32 image surface) and Pango (text
// layout, shaping and bidirectional order).
#pragma once

#include <memory>

#include "platform/canvas.h"

namespace platform::sdl {

// Null when the surface cannot be created (sizes below 1 or out of memory).
std::unique_ptr<Canvas> CreateCairoCanvas(int width, int height);

}  // namespace platform::sdl
