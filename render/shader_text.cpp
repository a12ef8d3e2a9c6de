#include "render/shader_text.h"

namespace render {

CombinedShaderText SplitCombinedShaderText(std::string_view text) {
  CombinedShaderText parts;
  const size_t vert = text.find(kVertexMarker);
  const size_t frag = text.find(kFragmentMarker);
  if (vert != std::string_view::npos) {
    const size_t start = vert + kVertexMarker.size();
    // A fragment marker before the vertex code does not end it.
    const size_t end = frag != std::string_view::npos && frag >= start ? frag : text.size();
    parts.hasVertex = true;
    parts.vertex = text.substr(start, end - start);
  }
  if (frag != std::string_view::npos) {
    const size_t start = frag + kFragmentMarker.size();
    // The text's final character is the spare one, not fragment code.
    const size_t end = text.size() > start ? text.size() - 1 : start;
    parts.hasFragment = true;
    parts.fragment = text.substr(start, end - start);
  }
  return parts;
}

}  // namespace render
