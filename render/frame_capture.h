// The picture of the frame just drawn, read back from the current context.
#pragma once

#include <cstdint>
#include <vector>

namespace render {

struct FrameImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;  // top row first, 3 bytes per pixel
};

// Reads width x height pixels from the buffer the frame was drawn into (the
// back buffer before the swap). A multisampled drawable is first resolved
// into a single-sample framebuffer, since reading it directly gives the
// picture without its antialiasing. GL state touched here is restored.
FrameImage ReadFrame(int width, int height);

}  // namespace render
