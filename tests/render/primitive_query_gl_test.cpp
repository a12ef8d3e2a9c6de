// GL's count of assembled primitives on the headless context, for one known
// draw: a strip of N indices is N - 2 triangles, while the program's own
// rule counts one per index.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "bench/triangle_check.h"
#include "render/gl_entry_points.h"
#include "render/primitive_query.h"
#include "tests/support/gl_test_context.h"

namespace {

TEST(PrimitiveQueryGLTest, AStripOfNIndicesIsNMinusTwoTrianglesReadAFrameLater) {
  mgtest::GlTestContext context(16, 16);
  ASSERT_TRUE(context.ok());
  render::PrimitiveQuery query;
  EXPECT_FALSE(query.Begin()) << "nothing is asked before Init";
  ASSERT_TRUE(query.Init(render::GlProcLookup()));
  EXPECT_FALSE(query.Collect()) << "nothing asked, nothing to read";

  constexpr int kIndices = 100;
  std::vector<GLfloat> vertices;
  for (int i = 0; i < kIndices; ++i) {
    vertices.push_back(static_cast<GLfloat>(i / 2) * 0.01f - 0.5f);
    vertices.push_back(static_cast<GLfloat>(i % 2) * 0.5f - 0.25f);
  }
  std::vector<GLuint> indices(kIndices);
  std::iota(indices.begin(), indices.end(), 0u);
  glEnableClientState(GL_VERTEX_ARRAY);
  glVertexPointer(2, GL_FLOAT, 0, vertices.data());

  bench::TriangleCheck check;
  ASSERT_TRUE(query.Begin());
  glDrawElements(GL_TRIANGLE_STRIP, kIndices, GL_UNSIGNED_INT, indices.data());
  query.End();
  bench::NoteSampled(check, kIndices);
  EXPECT_TRUE(query.pending());
  EXPECT_FALSE(query.Begin()) << "one question at a time";

  // The next frame reads it; the driver may take a while to answer.
  glFinish();
  std::optional<uint64_t> assembled;
  for (int tries = 0; tries < 1000 && !assembled; ++tries) assembled = query.Collect();
  ASSERT_TRUE(assembled);
  EXPECT_EQ(*assembled, static_cast<uint64_t>(kIndices - 2));
  bench::NoteAssembled(check, *assembled);
  EXPECT_DOUBLE_EQ(*bench::AssembledPerCounted(check), (kIndices - 2) / double(kIndices));
  EXPECT_FALSE(query.pending());

  glDisableClientState(GL_VERTEX_ARRAY);
  query.Release();
  EXPECT_FALSE(query.available());
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
