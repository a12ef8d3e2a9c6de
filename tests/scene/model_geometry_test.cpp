// Shaping a parsed model: refused attribute counts, scaling only when the
// uniform scale is not 1, rotated copies that double the model each time,
// and out-of-range indices that a copy reports and leaves out.
#include "scene/model_geometry.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// One triangle with matching positions, texture coordinates and normals.
scene::ObjMesh Triangle() {
  scene::ObjMesh mesh;
  mesh.positions = {0, 0, 0, 10, 0, 0, 0, 10, 0};
  mesh.texCoords = {0, 0, 1, 0, 0, 1};
  mesh.normals = {0, 0, 1, 0, 0, 1, 0, 0, 1};
  mesh.indices = {0, 1, 2};
  return mesh;
}

TEST(ModelGeometryTest, MismatchedAttributeCountsAreRefused) {
  for (int which = 0; which < 2; ++which) {
    scene::ObjMesh mesh = Triangle();
    if (which == 0)
      mesh.texCoords.resize(4);
    else
      mesh.normals.resize(6);
    scene::ModelGeometry out;
    out.positions = {{1, 2, 3}};
    std::string message;
    EXPECT_FALSE(scene::ShapeModel(mesh, {}, "obj/x.obj", out, message));
    EXPECT_EQ(message, "Ungeeignetes Model: Path: obj/x.obj");
    EXPECT_EQ(out.positions.size(), 1u) << "a refused model leaves the target alone";
  }
}

TEST(ModelGeometryTest, ScaleVectorAppliesOnlyWithAUniformScaleOtherThanOne) {
  struct Case {
    float scale;
    float expectedX;
    float expectedY;
  } cases[] = {{1.0f, 10.0f, 10.0f}, {2.0f, 80.0f, 20.0f}};
  for (const Case& c : cases) {
    scene::ModelGeometry out;
    std::string message;
    ASSERT_TRUE(scene::ShapeModel(Triangle(), {c.scale, {4, 1, 4}, 0}, "MEM", out, message));
    EXPECT_FLOAT_EQ(out.positions[1].x, c.expectedX) << c.scale;
    EXPECT_FLOAT_EQ(out.positions[2].y, c.expectedY) << c.scale;
    EXPECT_FLOAT_EQ(out.box.maximum.x, c.expectedX);
  }
}

TEST(ModelGeometryTest, EachCopyDoublesTheModelTurnedAndEnlarged) {
  scene::ModelGeometry out;
  std::string message;
  ASSERT_TRUE(scene::ShapeModel(Triangle(), {1.0f, {1, 1, 1}, 3}, "MEM", out, message));
  EXPECT_TRUE(message.empty());
  EXPECT_EQ(out.positions.size(), 24u);
  EXPECT_EQ(out.indices.size(), 24u);
  EXPECT_EQ(out.texCoords.size(), 48u);
  for (uint32_t index : out.indices) EXPECT_LT(index, 24u);
  // Vertex 1 (10, 0, 0) turned by 47 degrees about y and scaled by 1.33.
  const float radians = 47.0f * 3.14159265f / 180.0f;
  EXPECT_NEAR(out.positions[4].x, 13.3f * std::cos(radians), 1e-4);
  EXPECT_NEAR(out.positions[4].z, -13.3f * std::sin(radians), 1e-4);
  // Flat normals recomputed for the copies: the first copy's triangle faces
  // the original's direction turned by 47 degrees.
  const scene::CVector3 n = out.normals[5];
  EXPECT_NEAR(std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z), 1.0f, 1e-5);
  EXPECT_NEAR(std::abs(n.z), std::cos(radians), 1e-5);
}

TEST(ModelGeometryTest, CopyReportsAndSkipsAnIndexBeyondTheVertices) {
  scene::ModelGeometry g;
  g.positions = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
  g.normals.resize(3);
  g.texCoords.resize(6);
  g.indices = {0, 1, 2, 0, 1, 7};
  EXPECT_FALSE(scene::AppendRotatedCopy(g, 1.0f));
  EXPECT_EQ(g.positions.size(), 6u);
  ASSERT_EQ(g.indices.size(), 9u);
  for (size_t k = 6; k < 9; ++k) EXPECT_LT(g.indices[k], 6u);
}

}  // namespace
