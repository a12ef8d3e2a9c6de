// The combined shader text: "[vert]" starts the vertex code, which runs up to
// "[frag]" (or the end of the text); the fragment code runs from after
// "[frag]" to the end of the text less its final character, so a combined
// text ends with one spare character (a line break serves). Text before
// "[vert]" is ignored.
#pragma once

#include <string_view>

namespace render {

inline constexpr std::string_view kVertexMarker = "[vert]";
inline constexpr std::string_view kFragmentMarker = "[frag]";

struct CombinedShaderText {
  bool hasVertex = false;
  bool hasFragment = false;
  std::string_view vertex;
  std::string_view fragment;
};

// Views into `text` (which must outlive them).
CombinedShaderText SplitCombinedShaderText(std::string_view text);

}  // namespace render
