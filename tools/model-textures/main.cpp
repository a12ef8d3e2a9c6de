// model-textures KIND OUTPUT.png
//
// Paints one texture of the scene's models and grass: palm (bark and frond),
// bush (leaves), grass (blades), noise (the wind's tiling noise), object
// (granite for the rock). The same build writes the same bytes.
#include <cstdio>
#include <string>

#include "tools/model-textures/model_textures.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: model-textures palm|bush|grass|noise|object OUTPUT.png\n");
    return 2;
  }
  const asset::Image image = models::ModelTexture(argv[1]);
  if (image.width() == 0) {
    std::fprintf(stderr, "model-textures: unknown texture %s\n", argv[1]);
    return 2;
  }
  return asset::WriteImage(image, argv[2]) ? 0 : 1;
}
