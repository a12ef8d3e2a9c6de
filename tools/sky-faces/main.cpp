// sky-faces FACE OUTPUT
//
// Paints one face of the sky box, 512 x 512, by the face's name in texture-
// slot order: neg-z (slot 11), pos-z (12), neg-y (13, below the horizon),
// pos-y (14, overhead), neg-x (15), pos-x (16). The kind `cross` writes all
// six unfolded as a cross, for checking the seams by eye.
#include <cstdio>
#include <string>

#include "tools/sky-faces/sky_faces.h"

int main(int argc, char** argv) {
  constexpr int kSize = 512;
  if (argc != 3) {
    std::fprintf(stderr, "usage: sky-faces FACE OUTPUT\n");
    return 2;
  }
  const std::string kind = argv[1];
  if (kind == "cross") return asset::WriteImage(sky::PaintCross(kSize), argv[2]) ? 0 : 1;
  for (int face = 0; face < sky::kFaceCount; ++face) {
    if (kind == sky::Faces()[face].name) {
      return asset::WriteImage(sky::PaintFace(face, kSize), argv[2], 90) ? 0 : 1;
    }
  }
  std::fprintf(stderr, "sky-faces: unknown face %s\n", argv[1]);
  return 2;
}
