#include "render/shader_text.h"

#include <gtest/gtest.h>

namespace {

// The fragment code stops one character before the end: a combined text
// carries one spare final character.
TEST(ShaderTextTest, SplitsAtTheMarkersAndDropsTheSpareLastCharacter) {
  const struct {
    const char* text;
    bool hasVertex, hasFragment;
    const char* vertex;
    const char* fragment;
  } cases[] = {
      {"header[vert]void v(){}[frag]void f(){}\n", true, true, "void v(){}", "void f(){}"},
      {"[vert]only vertex\n", true, false, "only vertex\n", ""},
      {"[frag]only fragment\n", false, true, "", "only fragment"},
      {"[frag]f\n[vert]v\n", true, true, "v\n", "f\n[vert]v"},  // vertex runs to the end
      {"[vert]v[frag]", true, true, "v", ""},                   // nothing after the marker
      {"no markers", false, false, "", ""},
  };
  for (const auto& c : cases) {
    const render::CombinedShaderText parts = render::SplitCombinedShaderText(c.text);
    EXPECT_EQ(parts.hasVertex, c.hasVertex) << c.text;
    EXPECT_EQ(parts.hasFragment, c.hasFragment) << c.text;
    EXPECT_EQ(parts.vertex, c.vertex) << c.text;
    EXPECT_EQ(parts.fragment, c.fragment) << c.text;
  }
}

}  // namespace
