// caustic-frames FRAME OUTPUT
//
// Paints caustic frame FRAME (0 to 31), 128 x 128, grey lines on black; the
// 32 frames loop and each tiles seamlessly.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tools/caustic-frames/caustic_frames.h"

int main(int argc, char** argv) {
  constexpr int kSize = 128;
  if (argc != 3) {
    std::fprintf(stderr, "usage: caustic-frames FRAME OUTPUT\n");
    return 2;
  }
  char* end = nullptr;
  const long frame = std::strtol(argv[1], &end, 10);
  if (end == argv[1] || *end != '\0' || frame < 0 || frame >= caustics::kFrameCount) {
    std::fprintf(stderr, "caustic-frames: FRAME must be 0 to %d\n", caustics::kFrameCount - 1);
    return 2;
  }
  return asset::WriteImage(caustics::PaintFrame(static_cast<int>(frame), kSize), argv[2], 90) ? 0
                                                                                              : 1;
}
