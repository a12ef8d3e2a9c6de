// water-maps KIND OUTPUT
//
// Paints one of the water surface's maps, 256 x 256:
//   normal   small ripples as a normal map (texture slot 2)
//   dudv     distortion offsets in red and green (texture slot 3)
#include <cstdio>
#include <string>

#include "tools/water-maps/water_maps.h"

int main(int argc, char** argv) {
  constexpr int kSize = 256;
  if (argc != 3) {
    std::fprintf(stderr, "usage: water-maps KIND OUTPUT\n");
    return 2;
  }
  const std::string kind = argv[1];
  if (kind == "normal") return asset::WriteImage(water::PaintNormalMap(kSize), argv[2]) ? 0 : 1;
  if (kind == "dudv") return asset::WriteImage(water::PaintDudvMap(kSize), argv[2]) ? 0 : 1;
  std::fprintf(stderr, "water-maps: unknown kind %s\n", argv[1]);
  return 2;
}
