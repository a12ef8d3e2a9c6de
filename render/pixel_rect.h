// A rectangle in pixels: columns left <= x < right, rows top <= y < bottom,
// y growing downwards.
#pragma once

namespace render {

struct PixelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

}  // namespace render
