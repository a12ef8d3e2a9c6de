// The program's icon on its windows, from the picture carried in the program.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/window.h"

namespace app {

struct IconPixels {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgba;  // R, G, B, A; top row first
};

// Decodes a PNG with alpha into icon pixels; empty (width 0) when the bytes
// are no such picture.
IconPixels DecodeIcon(const uint8_t* png, int32_t length);

// Sets the program's icon on the window. A picture that does not decode
// leaves the window's icon as it was.
void SetProgramIcon(platform::Window& window);

}  // namespace app
