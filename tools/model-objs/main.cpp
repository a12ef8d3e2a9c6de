// model-objs KIND OUTPUT
//
// Writes one of the scene's models as OBJ text: palm, palm-alt (the
// alternative palm), bush, rock (the granite boulder the program reads from
// obj/Kleiner_Granitfelsen.obj). The same build writes the same bytes.
#include <cstdio>
#include <string>

#include "tools/model-objs/model_objs.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: model-objs palm|palm-alt|bush|rock OUTPUT\n");
    return 2;
  }
  const std::string text = models::ModelText(argv[1]);
  if (text.empty()) {
    std::fprintf(stderr, "model-objs: unknown model %s\n", argv[1]);
    return 2;
  }
  FILE* out = std::fopen(argv[2], "wb");
  bool ok = out != nullptr && std::fwrite(text.data(), 1, text.size(), out) == text.size();
  if (out != nullptr && std::fclose(out) != 0) ok = false;
  if (!ok) {
    std::fprintf(stderr, "%s: cannot write the model\n", argv[2]);
    std::remove(argv[2]);
    return 1;
  }
  return 0;
}
