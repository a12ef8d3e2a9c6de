// Collects a model's vertices and triangles and writes them as OBJ text in
// the form the scene's reader takes: every vertex has its own position,
// texture coordinate and normal, written as "v", "vt" and "vn" lines in the
// same order, and faces as "f a/a/a b/b/b c/c/c". Numbers are written with
// a fixed number of decimals, whatever the locale.
#pragma once

#include <string>
#include <vector>

namespace models {

struct Vec3 {
  float x = 0, y = 0, z = 0;
};

Vec3 operator+(const Vec3& a, const Vec3& b);
Vec3 operator-(const Vec3& a, const Vec3& b);
Vec3 operator*(const Vec3& a, float s);
float Dot(const Vec3& a, const Vec3& b);
Vec3 Cross(const Vec3& a, const Vec3& b);
// Unit length; a zero vector stays zero.
Vec3 Normalised(const Vec3& v);

struct Vertex {
  Vec3 position;
  float u = 0, v = 0;
  Vec3 normal;
};

class ObjWriter {
 public:
  // Returns the vertex's zero-based index.
  int Add(const Vertex& vertex);
  void Triangle(int a, int b, int c);

  int VertexCount() const { return static_cast<int>(vertices_.size()); }
  int TriangleCount() const { return static_cast<int>(triangles_.size() / 3); }

  // The OBJ text, led by `comment` lines (each prefixed with "# ").
  std::string Text(const std::vector<std::string>& comment) const;

 private:
  std::vector<Vertex> vertices_;
  std::vector<int> triangles_;
};

}  // namespace models
