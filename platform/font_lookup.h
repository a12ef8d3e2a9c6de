// Finding a font file by family name, wherever the system keeps its fonts.
#pragma once

#include <string>
#include <string_view>

namespace platform {

struct FontRequest {
  std::string_view family;  // e.g. "DejaVu Sans"
  bool bold = false;
  bool italic = false;
};

// The path of an installed font file of exactly that family (in the bold /
// italic style when asked); empty when no such family is installed. A
// substitute family is never returned, so the program's pictures do not
// change with whatever else is installed.
std::string FindFontFile(const FontRequest& request);

}  // namespace platform
