// camera-path OUTPUT
//
// Writes the benchmark's camera path: a 4-byte header, then 1,620 keyframes
// of 32 bytes flown over the island the program builds.
#include <cstdio>

#include "tools/camera-path/camera_path.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: camera-path OUTPUT\n");
    return 2;
  }
  camera_path::Island island;
  if (!camera_path::BuildIsland(island)) {
    std::fprintf(stderr, "camera-path: Mem-Err! (no memory for the height statistics)\n");
    return 1;
  }
  const auto bytes = bench::EncodeBenchmarkPath(camera_path::FlyPath(island));
  std::FILE* out = std::fopen(argv[1], "wb");
  if (out == nullptr) {
    std::perror(argv[1]);
    return 1;
  }
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
  if (std::fclose(out) != 0 || !written) {
    std::fprintf(stderr, "camera-path: could not write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
