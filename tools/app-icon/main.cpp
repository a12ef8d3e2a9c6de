// app-icon SIZE OUTPUT.png
//
// Paints the program's icon at SIZE x SIZE pixels (16 to 1024).
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tools/app-icon/app_icon.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: app-icon SIZE OUTPUT.png\n");
    return 2;
  }
  char* end = nullptr;
  const long size = std::strtol(argv[1], &end, 10);
  if (end == argv[1] || *end != '\0' || size < 16 || size > 1024) {
    std::fprintf(stderr, "app-icon: the size must be a number from 16 to 1024, not %s\n", argv[1]);
    return 2;
  }
  return asset::WriteImage(icon::PaintIcon(static_cast<int>(size)), argv[2]) ? 0 : 1;
}
